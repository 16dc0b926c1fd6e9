# Tabbed dialog pages: placement and page bookkeeping (portable), the tab
# control and its pages (Win32).
list(APPEND CONTROLS_PORTABLE TabPlacement.cpp)
list(APPEND CONTROLS_WINDOWS CmdMsgRouting.cpp CTabPageSSL.cpp CTabCtrlSSL.cpp DialogTabOrder.cpp)

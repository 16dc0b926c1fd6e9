# Resize anchoring: share/remainder arithmetic (portable), the control that
# replaces its parent's window procedure (Win32).
list(APPEND CONTROLS_PORTABLE AnchorLayout.cpp)
list(APPEND CONTROLS_WINDOWS CResizeCtrl.cpp)

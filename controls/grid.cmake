# The tree grid: its portable model (tested natively) and its Win32 control.
list(APPEND CONTROLS_PORTABLE
  CItemInfo.cpp
  CGridTreeItem.cpp
  CTreeGridModel.cpp
  CVectorRowList.cpp
  GridGeometry.cpp
  GridTextFit.cpp)
list(APPEND CONTROLS_WINDOWS
  CListViewRowList.cpp
  CSuperGridCtrl.cpp
  CGridRowPainter.cpp
  CGridDragTracker.cpp
  CListEditCtrl.cpp)

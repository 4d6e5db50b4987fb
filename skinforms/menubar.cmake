# The skinned main menu bar and the frame's side of it.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMainMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMainMenuBarPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMdi.cpp)

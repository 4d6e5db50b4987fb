# The skinned main menu bar and the frame's side of it.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMainMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMainMenuBarPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMdi.cpp)
# The frame on MDI forms and children, and the tabs bar of the children.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMdiClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMdiMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMDITabsBar.cpp)

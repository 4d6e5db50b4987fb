# The skinned popup menus: their arithmetic needs no window.
list(APPEND SKINFORMS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skSkinMenusLayout.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMenusWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMenusPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinMenusMode.cpp)

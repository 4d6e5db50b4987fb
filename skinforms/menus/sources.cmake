# The skinned popup menus: their messages, the arithmetic of a level (which needs no window),
# the open levels' windows and painting, and the menu mode of a form.
list(APPEND SKINFORMS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/Layout.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mode.cpp)

# Menus as data, shortcuts and their keys, and actions with their lists and images.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortCuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActnList.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActnListImages.cpp)

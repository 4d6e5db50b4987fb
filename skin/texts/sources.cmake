# The interface texts of the skinned windows, menus, edits and dialogs: the built-in ones and
# the component that holds them.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Consts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceStrData.cpp)

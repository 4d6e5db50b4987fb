# The box controls on real windows: up-down, tab and page controls, edits, password edit, list
# box and combo boxes.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/boxes_updown_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_tabs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_password_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_edit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_skinchange_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_listbox_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/boxes_combobox_test.cpp)

# The composite controls on real windows: up-down, tab and page controls, edits (also across a
# skin change), the password edit, list box and combo boxes, which description each takes, their
# drawing in the erase step; a button's hot state when it moves under a still pointer; the
# skinned hint and the tray icon, with the handles they hold.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/updown_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tabs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/password_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editskin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinchange_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listbox_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/combobox_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hot_follows_pointer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/descriptions_kind_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/erase_before_paint_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hint_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_hint_handles_test.cpp)

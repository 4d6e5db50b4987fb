# The category-buttons control: geometry and navigation natively, the control on real windows.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_layout_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_control_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_actions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_drag_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_look_test.cpp)

# The category-buttons control: its model and its geometry and navigation natively; the control
# on real windows: layout, actions, dragging, its look, and changes made after it was made.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/control_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/actions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drag_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/look_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/changes_test.cpp)

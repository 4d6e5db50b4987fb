# The form frame painted again after what changes its picture.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_repaint_test.cpp)

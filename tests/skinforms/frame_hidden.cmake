# The form frame of a form not yet shown.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_hidden_test.cpp)

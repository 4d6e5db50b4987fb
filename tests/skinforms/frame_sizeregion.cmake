# The form frame's region after size messages, at the same size and at a new one.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_sizeregion_test.cpp)

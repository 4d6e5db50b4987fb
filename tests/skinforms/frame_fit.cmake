# The form's layout after a skin that changes the frame's borders.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_fit_test.cpp)

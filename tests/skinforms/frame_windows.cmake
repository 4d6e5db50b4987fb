# The form frame across a new window of its form, and framed windows on the screen.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_recreate_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_screen_test.cpp)

# The splash's stay on a shortened start-up wait.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/splash_wait_test.cpp)

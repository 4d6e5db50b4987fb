# Waiting for a directory request while the windows go on painting.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/requestwait_test.cpp)

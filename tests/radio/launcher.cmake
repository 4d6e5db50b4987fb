# The launcher component, with a helper program for it to start.
if(TREBANIX_WINDOWS)
  add_executable(launch_helper ${CMAKE_CURRENT_LIST_DIR}/LaunchHelper.cpp)
  list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/launcher_test.cpp)
  # The test program exists only once this folder's lists are read to the end.
  cmake_language(DEFER CALL add_dependencies radio_tests launch_helper)
endif()

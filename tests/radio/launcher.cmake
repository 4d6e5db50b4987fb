# The launcher component, with a helper program for it to start.
if(TREBANIX_WINDOWS)
  # A windowless program: a console one would open a console window over the next test's windows.
  add_executable(launch_helper WIN32 ${CMAKE_CURRENT_LIST_DIR}/LaunchHelper.cpp)
  list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/launcher_test.cpp)
  # The test program exists only once this folder's lists are read to the end.
  cmake_language(DEFER CALL add_dependencies radio_tests launch_helper)
endif()

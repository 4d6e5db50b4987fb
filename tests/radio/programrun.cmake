# The whole program run as a child process: the tests find TrebanixRadio.exe in the build tree
# (Wine maps the Unix root to drive Z:).
if(TREBANIX_WINDOWS)
  list(APPEND TESTS_WINDOWS
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_run_test.cpp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp PROPERTIES
    COMPILE_DEFINITIONS "TREBANIX_PROGRAM_EXE=\"Z:$<TARGET_FILE:TrebanixRadio>\"")
  # The test program exists only once this folder's lists are read to the end.
  cmake_language(DEFER CALL add_dependencies radio_tests TrebanixRadio)
endif()

# The whole program: it imports no DLL that Windows does not ship, and it runs as a child process
# (the tests find TrebanixRadio.exe in the build tree; Wine maps the Unix root to drive Z:),
# through its start-up and its runs.
if(TREBANIX_WINDOWS)
  add_test(NAME program_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/check-imports ${CMAKE_OBJDUMP} $<TARGET_FILE:TrebanixRadio>)
  list(APPEND TESTS_WINDOWS
    ${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_run_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/program_startup_test.cpp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/ProgramRun.cpp PROPERTIES
    COMPILE_DEFINITIONS "TREBANIX_PROGRAM_EXE=\"Z:$<TARGET_FILE:TrebanixRadio>\"")
  # Station switches of the whole program under Wine's heap check.
  trebanix_add_heap_checked_gtest(radio_station_switches_heap_checked radio_tests
                                  ProgramRunTest.StationSwitchesEndThePlayersThreadsCleanly)
  # The test program exists only once this folder's lists are read to the end.
  cmake_language(DEFER CALL add_dependencies radio_tests TrebanixRadio)
endif()

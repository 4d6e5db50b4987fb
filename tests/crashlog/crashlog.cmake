list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logtext_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logfile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/symbols_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exceptinfo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lines_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/hook_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stack_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pipeline_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/crash_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logger_data.rc)

# The program the crash tests start as a child: it must die, so it cannot live in the tests.
if(TREBANIX_WINDOWS)
  add_executable(crashlog_crash ${CMAKE_CURRENT_LIST_DIR}/crash_program.cpp ${CMAKE_CURRENT_LIST_DIR}/logger_data.rc)
  target_link_libraries(crashlog_crash PRIVATE crashlog_install crashlog classlib)
  cmake_language(DEFER CALL add_dependencies crashlog_tests crashlog_crash)
  # The same program as a windowed one: its reports carry the active controls.
  add_executable(crashlog_crash_gui WIN32 ${CMAKE_CURRENT_LIST_DIR}/crash_program.cpp
    ${CMAKE_CURRENT_LIST_DIR}/logger_data.rc)
  target_link_libraries(crashlog_crash_gui PRIVATE crashlog_install crashlog classlib)
  cmake_language(DEFER CALL add_dependencies crashlog_tests crashlog_crash_gui)
  # Threads that throw and end, under Wine's heap check.
  trebanix_add_heap_checked_gtest(crashlog_thread_exits_heap_checked crashlog_tests
                                  Crash.ThreadsThatThrowAndEndLeaveTheHeapSound)
  # A library without symbols, called from the crash program's stack.
  add_library(crashlog_nosym SHARED ${CMAKE_CURRENT_LIST_DIR}/nosym_library.c)
  set_target_properties(crashlog_nosym PROPERTIES PREFIX "")
  target_link_options(crashlog_nosym PRIVATE -s)
  cmake_language(DEFER CALL add_dependencies crashlog_tests crashlog_nosym)
endif()

# A web-server extension with the logger inside and logger data of its own, the same library as
# a windowed host's plug-in, and the host that loads them (as a console server and as a windowed
# program); its guard is the logger's own, as a server's fault handler around its calls.
if(TREBANIX_WINDOWS)
  foreach(library crashlog_server crashlog_plugin)
    add_library(${library} SHARED ${CMAKE_CURRENT_LIST_DIR}/server_library.cpp
      ${CMAKE_CURRENT_LIST_DIR}/logger_data.rc)
    set_target_properties(${library} PROPERTIES PREFIX "")
    target_link_libraries(${library} PRIVATE crashlog_library_install crashlog classlib)
    # The host looks the entries up by their plain names.
    target_link_options(${library} PRIVATE -Wl,--kill-at)
  endforeach()
  target_compile_definitions(crashlog_plugin PRIVATE CRASHLOG_PLUGIN)
  add_executable(crashlog_server_host ${CMAKE_CURRENT_LIST_DIR}/server_host.cpp
    ${CMAKE_SOURCE_DIR}/crashlog/EGuard.cpp)
  add_executable(crashlog_plugin_host WIN32 ${CMAKE_CURRENT_LIST_DIR}/server_host.cpp
    ${CMAKE_SOURCE_DIR}/crashlog/EGuard.cpp)
  foreach(host crashlog_server_host crashlog_plugin_host)
    target_include_directories(${host} PRIVATE ${CMAKE_SOURCE_DIR})
  endforeach()
  cmake_language(DEFER CALL add_dependencies crashlog_tests crashlog_server crashlog_plugin crashlog_server_host
    crashlog_plugin_host)
endif()

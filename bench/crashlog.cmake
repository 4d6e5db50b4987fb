# The exception logger: a report from the throw to the log entry written, and the cost the
# wrapped throw adds to every throw of the program.
if(TREBANIX_WINDOWS)
  add_executable(crashlog_bench ${CMAKE_CURRENT_LIST_DIR}/crashlog_bench.cpp
                                ${CMAKE_SOURCE_DIR}/tests/crashlog/logger_data.rc)
  target_link_libraries(crashlog_bench PRIVATE crashlog classlib)
  target_compile_options(crashlog_bench PRIVATE -O2)
endif()

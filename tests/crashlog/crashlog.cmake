list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/options_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logtext_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logfile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/symbols_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exceptinfo_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/hook_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stack_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pipeline_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logger_data.rc)

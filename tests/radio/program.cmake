# The program's smaller windows.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/program_dialogs_test.cpp)

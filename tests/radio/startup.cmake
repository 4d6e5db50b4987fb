# The program's start-up: what the main window reads while it is made.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_startskin_test.cpp)

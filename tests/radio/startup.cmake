# The program's start-up: what the main window reads while it is made, and the windows made
# only when first asked for.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_startskin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_startpage_test.cpp)
if(TREBANIX_WINDOWS)
  list(APPEND TESTS_WINDOWS
    ${CMAKE_CURRENT_LIST_DIR}/program_startup_test.cpp)
endif()

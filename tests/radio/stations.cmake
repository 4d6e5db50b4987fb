# The main window's station groups for stations the directory gives no category.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_nocategory_test.cpp)

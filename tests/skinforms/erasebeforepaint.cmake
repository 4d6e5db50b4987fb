# Controls that draw in their erase step leave their own window to the paint still to come.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/erase_before_paint_test.cpp)

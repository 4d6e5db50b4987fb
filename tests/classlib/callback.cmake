# Hidden windows whose messages go to an object's method.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/callback_window_test.cpp)

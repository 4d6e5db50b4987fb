# A skin change as the screen shows it once the program has handled its messages.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/frame_skinredraw_test.cpp)

# Every test of the program starts with the real pointer parked in a corner of the screen.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/pointer_parking.cpp)

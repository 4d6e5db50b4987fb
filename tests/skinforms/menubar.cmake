# The skinned main menu bar on real windows.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/menubar_test.cpp)

# The skinned message box on real windows.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/messages_test.cpp)

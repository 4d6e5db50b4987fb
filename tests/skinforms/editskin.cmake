# The skinned edit across a skin change: the same window, with what the user typed and where.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/boxes_editskin_test.cpp)

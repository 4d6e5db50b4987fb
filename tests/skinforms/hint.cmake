# The skinned hint.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/hint_test.cpp)

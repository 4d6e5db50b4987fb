# Import hooking against jumps through the program's own variables.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/hook_jump_test.cpp)

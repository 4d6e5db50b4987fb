# The file and text dialogs' settings, and the shell-namespace nodes.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/dialogshells_test.cpp)

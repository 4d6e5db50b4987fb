# The closing messages of an MDI form reach the open menus of its active child's frame.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdichildmenus_test.cpp)

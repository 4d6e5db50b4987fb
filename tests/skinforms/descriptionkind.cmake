# Which description the edit, the tab control and the standard label take.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/descriptions_kind_test.cpp)

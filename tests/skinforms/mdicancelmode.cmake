# The closing messages of MDI forms reaching their combo boxes and edits.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdicancelmode_test.cpp)

# The logo picture of MDI forms' client areas.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdilogo_test.cpp)

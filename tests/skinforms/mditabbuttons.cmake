# The MDI tabs bar's button kind.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mditabbuttons_test.cpp)

list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/categorymodel_test.cpp)

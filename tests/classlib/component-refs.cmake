# References between components that follow their targets' freeing.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/component_refs_test.cpp)

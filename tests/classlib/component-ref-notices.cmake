# A component reference keeps hearing of its target's freeing whatever else cancels notices.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/component_ref_notices_test.cpp)

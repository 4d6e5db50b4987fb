# MDI forms: the client window and its children.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdi_forms_test.cpp)

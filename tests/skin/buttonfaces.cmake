# The faces of the push and speed buttons from skin areas that are not nine-part.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_buttonface_test.cpp)

# The caption accelerators of the push button and the check box.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_accelerator_test.cpp)

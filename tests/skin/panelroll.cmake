# What rolling up and down does to both roll-up panels' constraints and children.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_panelroll_test.cpp)

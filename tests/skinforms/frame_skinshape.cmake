# A skin change that changes a shown window's shape, as the screen shows it.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/frame_skinshape_test.cpp)

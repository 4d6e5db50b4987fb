# The main menu bar's frame animation and morphs on the fake clock.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/menubaranimation_test.cpp)

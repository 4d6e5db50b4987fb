# The push button's fade: its two faces composed once and blended on each tick, and composed
# anew when what they show changes.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_buttonfade_test.cpp)

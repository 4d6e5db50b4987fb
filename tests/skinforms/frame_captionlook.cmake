# The caption object's look, taken from its description.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/frame_captionlook_test.cpp)

# The form frame costs an idle program no wake-ups.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/frame_idle_test.cpp)

# The live-handle counts that leak tests rely on.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/support_livehandles_test.cpp)

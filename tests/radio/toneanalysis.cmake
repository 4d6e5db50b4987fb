# The listening helpers of the playback tests, on made-up recordings.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/toneanalysis_test.cpp)

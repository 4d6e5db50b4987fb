# One group of station buttons per caption shown, without windows.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/stationgroups_test.cpp)

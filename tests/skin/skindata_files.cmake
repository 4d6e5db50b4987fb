# Skin files at their limits: large descriptions, inflating bombs, and what their errors say.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skindata_files_test.cpp)

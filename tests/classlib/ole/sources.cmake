# COM helpers, the hosting of the media player and web browser controls, and the recording
# player and browser that stand in for them in tests.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/fakes_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/olehost_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comobj_test.cpp)

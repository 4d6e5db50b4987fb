# A skinned window resized by real drags on each of its borders.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_borderdrag_test.cpp)

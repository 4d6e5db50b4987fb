# The compact window's caption buttons and its maximize, with the stored skins.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/compact_window_test.cpp)

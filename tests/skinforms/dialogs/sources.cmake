# The skinned message box on real windows, and the file and text dialogs' settings with the
# shell-namespace nodes.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/messagebox_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shells_test.cpp)

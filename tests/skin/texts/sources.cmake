# The built-in interface texts and the interface-string table.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/strings_test.cpp)

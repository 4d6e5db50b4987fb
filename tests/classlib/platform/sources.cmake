# The registry of the test prefix, the XML document layer over its MSXML, and hidden callback
# windows.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xmldoc_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/callback_window_test.cpp)

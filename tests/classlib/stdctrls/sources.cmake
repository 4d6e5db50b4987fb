# The standard controls: text for one-line edits; edits and list boxes over real windows; tab
# and page controls over the platform's tab control.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/edittext_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/stdctrls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comctrls_test.cpp)

# Tests of menus, actions, the standard controls, drag and drop, hints and control hosting.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/extras_menus_test.cpp)
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/extras_edittext_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extras_fakes_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/extras_stdctrls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extras_comctrls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extras_olehost_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/extras_keys_test.cpp)

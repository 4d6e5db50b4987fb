# Menus as data: shortcut text, accelerators, item trees, radio groups, actions.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/menus_test.cpp)

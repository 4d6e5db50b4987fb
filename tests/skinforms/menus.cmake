# The skinned popup menus: their arithmetic natively, the menus on real windows.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/menus_layout_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/menus_open_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menus_levels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menus_effects_test.cpp)

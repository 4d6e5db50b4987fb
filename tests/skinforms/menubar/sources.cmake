# The main menu bar on real windows, its frame animation and morphs on the fake clock, and the
# MDI tabs bar's button kind.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/menubar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/animation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tabsbar_buttons_test.cpp)

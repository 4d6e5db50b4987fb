# The frame's window states, the tray and the fade-in on real windows.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/states_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/states_tray_fade_test.cpp)

# What every test of the program shares: the components the skinned controls, frames, hint,
# tray icon and skin data name through their setters, cancelled and shared.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/setter_refs_test.cpp)

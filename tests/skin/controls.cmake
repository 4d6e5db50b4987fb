# The basic skinned controls.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/controls_bases_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_speedbutton_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_panel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_trackbar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_expanel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_button_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls_checkbox_test.cpp)
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_toolbar_test.cpp)
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_xformbutton_test.cpp)
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/controls_captionglyph_test.cpp)

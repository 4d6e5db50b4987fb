# The basic skinned controls on real windows: push, speed and form buttons (faces, fades,
# accelerators), check boxes, panels and roll-up panels with their caption glyph, tool, track and
# scroll bars.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/speedbutton_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trackbar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/expanel_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/checkbox_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toolbar_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xformbutton_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/captionglyph_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accelerator_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buttonface_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buttonfade_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panelroll_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar_test.cpp)

# The basic skinned controls: buttons, speed buttons, panels, tool and status bars, roll-up
# panels, labels, check and radio boxes and the track bar, with what they share.
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skControlTimer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skButtonLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinSpeedButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinTrackBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinExPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinStdLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCheckRadioBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinStatusBar.cpp)
# The tool bar's scroll buttons.
list(APPEND SKIN_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinToolBarScroll.cpp)
# The push button's action, and the form button that draws from pictures of its own.
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinButtonAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinXFormButton.cpp)
# The caption glyph the panels share.
list(APPEND SKIN_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skCaptionGlyph.cpp)

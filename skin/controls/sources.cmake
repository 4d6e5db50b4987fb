# The basic skinned controls: push, speed and form buttons with what they share (look, press,
# action), check and radio boxes, labels, panels and roll-up panels with their caption glyph,
# tool, status, track and scroll bars (the scroll bar's arithmetic needs no window).
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBarLayout.cpp)
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ButtonLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XFormButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SpeedButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CheckRadioBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelRoll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaptionGlyph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBarScroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrackBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScrollBar.cpp)

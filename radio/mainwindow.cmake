# The main window: station list, playback, browser pages, skins and the loading overlay.
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ServicePages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLoading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRadioMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRadioMainPlayback.cpp)

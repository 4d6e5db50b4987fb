# The program's windows: the main window (station list and its groups, playback, browser pages,
# skins, the loading overlay), the compact window, the splash, the about, options and account
# dialogs, what they share (texts, placement, the busy cursor, the product picture, binding the
# skinned components), and the launcher component that starts an address through the shell.
list(APPEND RADIO_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/StationGroups.cpp)
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Loading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioMainPlayback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProductPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinBinding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioSmall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LumraAccount.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Splash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/About.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RzLauncher.cpp)

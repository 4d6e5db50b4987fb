# The main window, end to end with recording players and browsers and the real stored skins.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_stations_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_pages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_skins_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_skinswitch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_skinning_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selectskin_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_keyboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_playback_test.cpp)
if(TREBANIX_WINDOWS)
  list(APPEND TESTS_WINDOWS $<TARGET_OBJECTS:stored_skins>)
endif()

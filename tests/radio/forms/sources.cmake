# The program's windows: the main window end to end with recording players and browsers and the
# real stored skins (stations and their groups, pages, skins, playback, what it reads while it is
# made), the compact window, the skin-selection and smaller dialogs, the keyboard, the splash's
# stay, and the launcher component with a helper program for it to start.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/stationgroups_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_stations_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_pages_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_skins_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_skinswitch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_nocategory_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_startskin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow_startpage_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinning_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selectskin_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keyboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compact_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splash_wait_test.cpp)
if(TREBANIX_WINDOWS)
  list(APPEND TESTS_WINDOWS $<TARGET_OBJECTS:stored_skins>)
  # A windowless program: a console one would open a console window over the next test's windows.
  add_executable(launch_helper WIN32 ${CMAKE_CURRENT_LIST_DIR}/LaunchHelper.cpp)
  list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/launcher_test.cpp)
  # The test program exists only once this folder's lists are read to the end.
  cmake_language(DEFER CALL add_dependencies radio_tests launch_helper)
endif()

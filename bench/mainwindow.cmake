# The main window: skin switches against a full repaint, GDI objects after many switches, and a
# station click to the first buffer handed to the sound output, and a switch from one playing
# station to another against the same switch on the bare player.
if(TREBANIX_WINDOWS)
  add_executable(mainwindow_bench ${CMAKE_CURRENT_LIST_DIR}/mainwindow_bench.cpp
                                  ${CMAKE_SOURCE_DIR}/tests/radio/player/StreamTestServer.cpp
                                  $<TARGET_OBJECTS:stored_skins>)
  target_include_directories(mainwindow_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/radio)
  target_link_libraries(mainwindow_bench PRIVATE radio skinforms skin classlib)
  target_compile_definitions(mainwindow_bench PRIVATE
    PLAYER_TEST_AUDIO_DIR="Z:${CMAKE_SOURCE_DIR}/tests/data/audio")
else()
  add_custom_target(mainwindow_bench)
endif()

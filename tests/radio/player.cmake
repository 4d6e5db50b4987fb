# The stream player: parsing everywhere; playback against an in-process server under Wine.
set(player_test_audio "${CMAKE_SOURCE_DIR}/tests/data/audio")
if(TREBANIX_WINDOWS)
  # Wine maps the Unix root to drive Z:.
  set(player_test_audio "Z:${player_test_audio}")
endif()
set(player_test_sources
  ${CMAKE_CURRENT_LIST_DIR}/player_parsing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player_playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToneAnalysis.cpp)
set_source_files_properties(${player_test_sources} PROPERTIES
  COMPILE_DEFINITIONS "PLAYER_TEST_AUDIO_DIR=\"${player_test_audio}\"")
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/player_parsing_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/player_playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToneAnalysis.cpp)

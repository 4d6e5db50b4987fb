# The stream player: parsing everywhere; playback against an in-process server under Wine, with
# the listening helpers (checked on made-up recordings); the program's player, chosen on first
# use.
set(player_test_audio "${CMAKE_SOURCE_DIR}/tests/data/audio")
if(TREBANIX_WINDOWS)
  # Wine maps the Unix root to drive Z:.
  set(player_test_audio "Z:${player_test_audio}")
endif()
set(player_test_sources
  ${CMAKE_CURRENT_LIST_DIR}/parsing_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToneAnalysis.cpp)
set_source_files_properties(${player_test_sources} PROPERTIES
  COMPILE_DEFINITIONS "PLAYER_TEST_AUDIO_DIR=\"${player_test_audio}\"")
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/parsing_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/playback_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamTestServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToneAnalysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toneanalysis_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/choice_test.cpp)

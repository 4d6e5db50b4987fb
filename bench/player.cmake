# The stream player: CPU per second of MP3 played against bare ACM decoding, and the time from
# setting the URL to the first buffer handed to waveOut.
if(TREBANIX_WINDOWS)
  add_executable(player_bench ${CMAKE_CURRENT_LIST_DIR}/player_bench.cpp
                              ${CMAKE_SOURCE_DIR}/tests/radio/player/StreamTestServer.cpp)
  target_include_directories(player_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/radio)
  target_link_libraries(player_bench PRIVATE radio skinforms skin classlib psapi)
  target_compile_definitions(player_bench PRIVATE
    PLAYER_TEST_AUDIO_DIR="Z:${CMAKE_SOURCE_DIR}/tests/data/audio")
endif()

# The whole program: start-up (to the "Configure" page, and resuming the last station, which
# plays from a stream server of the bench) against a minimal Win32 program, working set, idle
# wake-ups.
if(TREBANIX_WINDOWS)
  add_executable(MinimalWindow WIN32 ${CMAKE_CURRENT_LIST_DIR}/MinimalWindow.cpp)
  add_executable(program_bench ${CMAKE_CURRENT_LIST_DIR}/program_bench.cpp
                               ${CMAKE_SOURCE_DIR}/tests/radio/player/StreamTestServer.cpp)
  target_include_directories(program_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/radio)
  target_link_libraries(program_bench PRIVATE radio skinforms skin classlib psapi)
  # Wine maps the Unix root to drive Z:.
  target_compile_definitions(program_bench PRIVATE
    DIRSERVICE_SCRIPT="${CMAKE_SOURCE_DIR}/tools/dirservice/dirservice.py"
    PLAYER_TEST_AUDIO_DIR="Z:${CMAKE_SOURCE_DIR}/tests/data/audio"
    TREBANIX_PROGRAM_EXE="Z:$<TARGET_FILE:TrebanixRadio>"
    MINIMAL_WINDOW_EXE="Z:$<TARGET_FILE:MinimalWindow>")
  add_dependencies(program_bench TrebanixRadio MinimalWindow)
endif()

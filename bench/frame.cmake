# The form frame: non-client painting and skin switches.
if(TREBANIX_WINDOWS)
  add_executable(frame_bench ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp $<TARGET_OBJECTS:stored_skins>)
  target_link_libraries(frame_bench PRIVATE skinforms skin classlib)
  target_compile_options(frame_bench PRIVATE -O2)
else()
  add_custom_target(frame_bench)
endif()

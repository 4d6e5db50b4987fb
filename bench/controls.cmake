# The basic skinned controls: a tool bar's morph tick and what a mouse move repaints.
if(TREBANIX_WINDOWS)
  add_executable(controls_bench ${CMAKE_CURRENT_LIST_DIR}/controls_bench.cpp $<TARGET_OBJECTS:stored_skins>)
  target_link_libraries(controls_bench PRIVATE skin classlib)
  target_compile_options(controls_bench PRIVATE -O2)
else()
  add_custom_target(controls_bench)
endif()

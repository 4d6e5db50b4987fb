# The skinned list box: filling it against the class library's plain list box, and scrolling
# one page, in the default look and in a stored skin, against the platform's own list box.
if(TREBANIX_WINDOWS)
  add_executable(boxes_bench ${CMAKE_CURRENT_LIST_DIR}/boxes_bench.cpp $<TARGET_OBJECTS:stored_skins>)
  target_link_libraries(boxes_bench PRIVATE skinforms skin classlib)
  target_compile_options(boxes_bench PRIVATE -O2)
else()
  add_custom_target(boxes_bench)
endif()

# Opening a skinned popup menu against copying a bitmap of its size.
if(TREBANIX_WINDOWS)
  add_executable(menus_bench ${CMAKE_CURRENT_LIST_DIR}/menus_bench.cpp)
  target_link_libraries(menus_bench PRIVATE skinforms skin classlib)
  target_compile_options(menus_bench PRIVATE -O2)
else()
  add_custom_target(menus_bench)
endif()

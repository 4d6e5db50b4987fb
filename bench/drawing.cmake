# Effect arithmetic on every host; composers and regions only where GDI is.
set(drawing_bench_sources ${CMAKE_CURRENT_LIST_DIR}/drawing_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/drawing_bench_effects.cpp)
if(TREBANIX_WINDOWS)
  list(APPEND drawing_bench_sources ${CMAKE_CURRENT_LIST_DIR}/drawing_bench_gdi.cpp)
endif()
add_executable(drawing_bench ${drawing_bench_sources})
target_link_libraries(drawing_bench PRIVATE skin classlib)
target_compile_options(drawing_bench PRIVATE -O2)

# Loading a skin of realistic size, beside zlib alone inflating the same stream.
add_executable(skindata_bench ${CMAKE_CURRENT_LIST_DIR}/skindata_bench.cpp)
target_link_libraries(skindata_bench PRIVATE skin test_bmp_bytes)
target_compile_options(skindata_bench PRIVATE -O2)

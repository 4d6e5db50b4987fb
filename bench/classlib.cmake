# The class library's windows and canvas against the same work done with bare Win32 calls.
if(TREBANIX_WINDOWS)
  add_executable(classlib_bench ${CMAKE_CURRENT_LIST_DIR}/classlib_bench.cpp)
  target_link_libraries(classlib_bench PRIVATE classlib)
  target_compile_options(classlib_bench PRIVATE -O2)
endif()

# The station directory's download, parse, cache and fill with 10,000 stations, and the reload of
# 100,000 against their load from the cache.
if(TREBANIX_WINDOWS)
  add_executable(directory_bench ${CMAKE_CURRENT_LIST_DIR}/directory_bench.cpp)
  target_link_libraries(directory_bench PRIVATE radio skinforms skin classlib)
  target_compile_definitions(directory_bench PRIVATE
    DIRSERVICE_SCRIPT="${CMAKE_SOURCE_DIR}/tools/dirservice/dirservice.py")
endif()

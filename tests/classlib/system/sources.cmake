# The root of the layer: conversions, Format, strings, paths, dates, rounding, random numbers,
# exceptions, and what the build targets (run natively and under Wine).
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/sysutils_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/platform_test.cpp)
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/lazy_import_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/threadstore_test.cpp)
if(TREBANIX_WINDOWS)
  # The per-thread store's list under Wine's heap check.
  trebanix_add_heap_checked_gtest(classlib_thread_store_heap_checked classlib_tests ThreadStore.*)
endif()

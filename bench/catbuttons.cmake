# The category-buttons control with up to 20,000 buttons: fill, layout, paint, scroll, hit tests
# and memory per button.
if(TREBANIX_WINDOWS)
  add_executable(catbuttons_bench ${CMAKE_CURRENT_LIST_DIR}/catbuttons_bench.cpp)
  target_link_libraries(catbuttons_bench PRIVATE skinforms skin classlib)
  target_compile_options(catbuttons_bench PRIVATE -O2)
else()
  # Nothing to measure without windows; the target exists so both builds know it.
  add_custom_target(catbuttons_bench)
endif()

list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/drawing_effects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_effects_exhaustive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_strings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_geometry_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/drawing_composers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_regions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_glyphs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_effectdib_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drawing_parent_test.cpp)

# Drawing utilities: effects (also exhaustively), rectangle helpers, resize modes and mask
# scanning natively; composers, regions, glyphs, the effect bitmap's DIB and the parent's
# background under Wine.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/effects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effects_exhaustive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/geometry_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/composers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/regions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/glyphs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effectdib_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parent_test.cpp)

# The skinned popup menus: their arithmetic natively; on real windows opening, choosing and
# closing, levels, morphs and animations, the captions on their rows, and what they name
# without owning it.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/layout_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/open_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/levels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/effects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refs_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_test.cpp)

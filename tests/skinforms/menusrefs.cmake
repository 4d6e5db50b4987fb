# What the skinned menus name without owning it.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/menus_refs_test.cpp)

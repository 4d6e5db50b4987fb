# What an MDI child's frame offers and where it snaps: its system menu maximized and not, and
# its magnetic edges in the MDI client.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdichildframe_test.cpp)

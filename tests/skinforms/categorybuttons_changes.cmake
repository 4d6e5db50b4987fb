# The category-buttons control following changes made after creation, and its data captions.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/categorybuttons_changes_test.cpp)

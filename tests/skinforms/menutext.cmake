# The skinned menus' captions on their rows.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/menus_text_test.cpp)

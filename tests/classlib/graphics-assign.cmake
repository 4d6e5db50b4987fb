# Fonts, pens and brushes taking another's attributes.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/graphics_assign_test.cpp)

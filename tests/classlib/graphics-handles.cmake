# The GDI objects of fonts, pens and brushes: each made once per change and given back.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/graphics_handles_test.cpp)

# Pictures and drawing: bitmaps and their BMP files on every host; canvases, image lists and
# icons checked by pixels; fonts, pens and brushes with their GDI objects.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/bitmap_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/canvas_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/imagelist_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/assign_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/handles_test.cpp)

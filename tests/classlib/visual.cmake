list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/visual_bitmap_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/visual_canvas_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visual_imagelist_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visual_controls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visual_forms_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visual_hints_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/visual_drag_test.cpp)

# Skinned control bases and the scroll bar.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skinctrls_geometry_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skinctrls_bases_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinctrls_scrollbar_test.cpp)

# The skinned control bases: their arithmetic natively, and on real windows lookup by name, the
# default look, skin sizes and the faces they compose for each state.
list(APPEND TESTS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/geometry_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/bases_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/faces_test.cpp)

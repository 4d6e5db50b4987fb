# Tests of the layer's non-visual core (run natively and under Wine).
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/core_sysutils_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_classes_test.cpp)

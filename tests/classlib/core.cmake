# Tests of the layer's non-visual core (run natively and under Wine).
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/core_sysutils_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_classes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_ini_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_loader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_resources_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/core_threads_test.cpp)
# The Windows build also reads real resources of the test program.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/core_resources.rc)

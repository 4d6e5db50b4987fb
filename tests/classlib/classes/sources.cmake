# The component model: ownership and notices, references between components, streams, string
# lists, INI text, the form loader, resources and threads (run natively and under Wine).
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/classes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/threads_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/component_ref_notices_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/component_refs_test.cpp)
# The Windows build also reads real resources of the test program.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/resources.rc)

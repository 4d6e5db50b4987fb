list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/registry-xml_registry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry-xml_xmldoc_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry-xml_comobj_test.cpp)

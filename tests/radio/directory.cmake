list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/directory_model_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/DirectoryTestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_xml_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_cache_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_service_test.cpp)

# The station directory: the model natively; under Wine the settings store, the XML, the cache,
# the directory service (also a misbehaving one) and the wait for a request while the windows go
# on painting.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/model_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/TestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cache_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/network_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/requestwait_test.cpp)
# The tests put their own certificate authority into the system's store and take it out again.
if(TREBANIX_WINDOWS)
  cmake_language(DEFER CALL target_link_libraries radio_tests PRIVATE crypt32)
endif()

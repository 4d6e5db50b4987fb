# The directory-service client against a misbehaving local service.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/directory_network_test.cpp)

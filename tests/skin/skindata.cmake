list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skindata_helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skindata_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skindata_descriptions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skindata_lists_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skindata_skin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skindata_stored_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skindata_broadcast_test.cpp)

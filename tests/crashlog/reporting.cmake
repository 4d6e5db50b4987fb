list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/mailtext_test.cpp)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/smtp_server.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mail_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/webpage_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_crash_test.cpp)
if(TREBANIX_WINDOWS)
  # A Simple MAPI client that records what it is asked, registered by the mail tests.
  add_library(crashlog_fakemapi SHARED ${CMAKE_CURRENT_LIST_DIR}/fakemapi.c ${CMAKE_CURRENT_LIST_DIR}/fakemapi.def)
  set_target_properties(crashlog_fakemapi PROPERTIES PREFIX "")
  cmake_language(DEFER CALL add_dependencies crashlog_tests crashlog_fakemapi TrebanixRadio)
endif()

# The launcher component: starts a document, program or address through the shell.
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/RzLauncher.cpp)
if(TREBANIX_WINDOWS)
  cmake_language(DEFER CALL target_link_libraries radio PUBLIC shell32)
endif()

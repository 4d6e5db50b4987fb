# The stored skins as the program carries them: loaded through the skin data and checked.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skins_stored_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skins_stored_source.cpp
  $<TARGET_OBJECTS:stored_skins>)
if(NOT TREBANIX_WINDOWS)
  # Natively the streams are files beside the resource script; the test registers them.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/skins_stored_source.cpp PROPERTIES
    COMPILE_DEFINITIONS "TREBANIX_STORED_SKINS_DIR=\"${STORED_SKINS_DIR}\"")
  cmake_language(DEFER CALL add_dependencies skin_tests stored_skins_packed)
endif()
# In a 32-bit address space of the program's own kind.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skins_fragmented_test.cpp)

# Skin data: the description text and descriptions, lists, packed and stored skins, files at
# their limits and their errors (natively and under Wine), the change told to the controls; and
# the program's stored skins loaded through the skin data and checked.
list(APPEND TESTS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/descriptions_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lists_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_skins_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stored_skins_source.cpp
  $<TARGET_OBJECTS:stored_skins>)
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/broadcast_test.cpp)
# The stored skins in a 32-bit address space of the program's own kind.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/fragmented_skins_test.cpp)
if(NOT TREBANIX_WINDOWS)
  # Natively the streams are files beside the resource script; the test registers them.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/stored_skins_source.cpp PROPERTIES
    COMPILE_DEFINITIONS "TREBANIX_STORED_SKINS_DIR=\"${STORED_SKINS_DIR}\"")
  cmake_language(DEFER CALL add_dependencies skin_tests stored_skins_packed)
endif()

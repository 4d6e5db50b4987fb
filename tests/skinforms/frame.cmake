# The form frame on real windows, with skins built in the test and the stored skins.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/frame_attach_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_skinswitch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_nonclient_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_objects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_buttonhit_test.cpp
  $<TARGET_OBJECTS:stored_skins>)

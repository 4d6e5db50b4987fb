# The form frame on real windows, with skins built in the test and the stored skins: attaching,
# skin switches and redraws, the non-client area, caption objects, their looks and hints, the
# region and the shape, drags on the borders, hidden and re-created windows, no wake-ups when
# idle, presses that cancel the controls' modes; the window states, the tray, the fade-in and
# translucency; and the frame on MDI forms and children (closing messages, menus, the logo, the
# window list).
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/attach_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinswitch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nonclient_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objects_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/objecthint_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/buttonhit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/borderdrag_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/captionlook_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hidden_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/idle_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/repaint_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sizeregion_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinredraw_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skinshape_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recreate_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cancelmode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/states_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tray_fade_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdi_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdicancelmode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdichildframe_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdichildmenus_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdilogo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdiwindowlist_test.cpp
  $<TARGET_OBJECTS:stored_skins>)

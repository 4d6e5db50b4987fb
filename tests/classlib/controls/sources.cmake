# Controls and forms with real windows and real messages: dispatch, painting, align, mouse, keys
# and menu shortcuts, forms and MDI forms, the application, hints, drag and drop, and the
# live-handle counts that leak tests rely on.
list(APPEND TESTS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hints_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drag_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdi_forms_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/keys_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/livehandles_test.cpp)

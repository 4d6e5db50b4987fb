# Handles the tray icon and the skinned hint hold after many uses.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/tray_hint_handles_test.cpp)

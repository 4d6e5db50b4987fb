# The tray icon, with the shell's calls recorded.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/tray_test.cpp)

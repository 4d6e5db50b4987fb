# The tray icon.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skTrayIcon.cpp)

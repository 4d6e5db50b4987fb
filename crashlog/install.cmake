list(APPEND CRASHLOG_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/EMailText.cpp)
list(APPEND CRASHLOG_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ETrace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EFreeze.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ESockets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EMail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EWebPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EDialogSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EBugReport.cpp)
if(TREBANIX_WINDOWS)
  # Sockets for the mail, the common controls for the dialog.
  cmake_language(DEFER CALL target_link_libraries crashlog PUBLIC ws2_32 comctl32)
  # What a program links to have the logger installed before anything of its own runs; it also
  # needs logger data and the dialog's templates (LoggerData.rc, or data of its own).
  add_library(crashlog_install OBJECT ${CMAKE_CURRENT_LIST_DIR}/EInstall.cpp)
  cmake_language(DEFER CALL target_link_libraries crashlog_install PUBLIC crashlog)
  # The same for a library with logger data of its own; the library's entry is the logger's,
  # which runs the runtime's entry guarded.
  add_library(crashlog_library_install OBJECT ${CMAKE_CURRENT_LIST_DIR}/ELibraryInstall.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ETlsSlots.cpp)
  cmake_language(DEFER CALL target_link_libraries crashlog_library_install PUBLIC crashlog)
  target_link_options(crashlog_library_install INTERFACE "SHELL:-e _LoggerLibraryEntry@12")
endif()

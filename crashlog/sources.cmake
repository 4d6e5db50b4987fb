list(APPEND CRASHLOG_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/EConsts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ELogText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ELogFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ESymbols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ELines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EOSName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EExceptInfo.cpp)
list(APPEND CRASHLOG_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/EHook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EModules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EStack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ESysInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ECore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EThreads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExceptionLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EProcessing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EExceptionThread.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EReportSteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ELogData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EProgramEnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EEntries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EGuard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EReports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EThrow.cpp)
if(TREBANIX_WINDOWS)
  # Every throw of a program that links the logger passes through __wrap___cxa_throw, which
  # must be linked in even though nothing names it.
  cmake_language(DEFER CALL target_link_options crashlog INTERFACE
    -Wl,--wrap=__cxa_throw -Wl,--undefined=___wrap___cxa_throw)
endif()

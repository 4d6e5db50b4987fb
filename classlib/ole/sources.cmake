# COM and the hosting of ActiveX controls: the COM helpers, the control container, and the
# player and browser interfaces with the media player and web browser controls behind them.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/WebBrowser.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ComObj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Guids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Container.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MediaPlayerControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebBrowserControl.cpp)

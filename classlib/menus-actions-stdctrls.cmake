# Menus as data, actions, standard windowed bases, drag and drop, hints, the clipboard and the
# hosting of ActiveX controls.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/ActnList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortCuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebBrowser.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/MenuImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActnListImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipbrd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Caret.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OleGuids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OleContainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MediaPlayerControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebBrowserControl.cpp)

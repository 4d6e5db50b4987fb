# The standard controls the skinned ones are made from: the edit and its text, the list box,
# the label, the image, the tab and page controls, the item lists the native list controls
# share, the caret and the clipboard.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/EditText.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NativeItemList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Caret.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipbrd.cpp)

# The composite skinned controls: up-down, tab and page controls, edits and the password edit,
# the list box, combo boxes, the resizable button face they share, clipboard text, the skinned
# hint and the tray icon.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/UpDown.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabsDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ClipboardText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListBoxItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResizeButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBoxEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboBoxDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp)

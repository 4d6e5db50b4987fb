# The box controls: up-down, tab and page controls, edits, password edit, list box, combo boxes.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinUpDown.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinTabsDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skClipboardText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinPasswordEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinEditMenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinEditFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinListBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinListBoxItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skResizeButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinComboBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinComboBoxEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinComboBoxDraw.cpp)

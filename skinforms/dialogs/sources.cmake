# The skinned dialogs: the message box, the skin-selection dialog, what the dialog components
# share, the settings-only file and text dialogs with the shell-namespace node of the file
# dialogs, and their texts.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectSkin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Parts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenSave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextInput.cpp)

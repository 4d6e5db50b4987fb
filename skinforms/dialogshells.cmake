# The settings-only file and text dialogs, and the shell-namespace node of the file dialogs.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skShellFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFileDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinTextDialog.cpp)

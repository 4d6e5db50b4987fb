# The skin-selection dialog.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSelectSkinDialog.cpp)

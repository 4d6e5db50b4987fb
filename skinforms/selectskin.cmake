# The skin-selection dialog, and plain stand-ins for the skinned controls the windows use.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skInterimControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSelectSkinDialog.cpp)

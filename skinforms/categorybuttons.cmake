# The category-buttons control: its geometry and navigation need no window.
list(APPEND SKINFORMS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtonsLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtonsNavigation.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsFrame.cpp)

# The category-buttons control: its geometry and navigation need no window.
list(APPEND SKINFORMS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtonsLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtonsNavigation.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCategoryButtonsFrame.cpp)
# The copy cursor goes into every program that links the control, which loads it by name.
if(TREBANIX_WINDOWS)
  cmake_language(DEFER CALL target_sources skinforms INTERFACE ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtons.rc)
endif()

# The category-buttons control: its data model, geometry and keyboard navigation (which need no
# window), and the control itself: drawing, input and dragging, its optional frame, its cursor.
list(APPEND SKINFORMS_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Navigation.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Frame.cpp)
# The copy cursor goes into every program that links the control, which loads it by name.
# The call runs once the library exists, at the end of the parent folder's list, where
# CMAKE_CURRENT_LIST_DIR no longer names this folder.
if(TREBANIX_WINDOWS)
  set(categorybuttons_resources ${CMAKE_CURRENT_LIST_DIR}/Cursors.rc)
  cmake_language(DEFER CALL target_sources skinforms INTERFACE ${categorybuttons_resources})
endif()

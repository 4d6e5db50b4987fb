# Skinned control bases (windowed and windowless) and the scroll bar; their arithmetic needs no
# window.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCtrlsGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinScrollBarLayout.cpp)
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinCtrlsGraphic.cpp)
list(APPEND SKIN_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinScrollBar.cpp)

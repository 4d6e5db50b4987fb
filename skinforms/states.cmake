# The frame's window states: placement arithmetic (needs no window), the monitor areas, the
# minimized places, magnetic edges, the fade-in and the tray.
list(APPEND SKINFORMS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skSkinFramePlacement.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameWorkArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMinimizedPlaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMagnetic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameFade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameTray.cpp)

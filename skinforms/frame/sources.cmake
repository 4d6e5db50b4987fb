# The skinned form frame: its window procedure and private messages, skin changes, geometry,
# non-client painting and region, the caption-area objects and the mouse on them, the menus it
# opens, its side of the main menu bar, and the modes it cancels; its window states (placement
# arithmetic, which needs no window, the monitor areas, minimized places, magnetic edges, the
# fade-in and the tray); and the frame on MDI forms and children, with their window list.
list(APPEND SKINFORMS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/Placement.cpp)
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinChange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Caption.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CancelMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/States.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MinimizedPlaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Magnetic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Fade.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tray.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mdi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MdiClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MdiMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowList.cpp)

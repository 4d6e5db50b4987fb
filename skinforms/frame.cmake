# The skinned form frame: its window procedure, non-client painting, region, hit tests and the
# caption-area objects.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameSkinChange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFramePaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameCaption.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameStates.cpp)

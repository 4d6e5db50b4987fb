# Skin data: the description text and its descriptions, packed and stored skins, the skin-data
# component.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataStream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataStored.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataBroadcast.cpp)

# Every skin switch and the program's start read a whole skin through these: optimized even in
# debug builds.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataObjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skSkinDataStream.cpp
  PROPERTIES COMPILE_OPTIONS "-O2")

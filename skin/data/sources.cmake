# Skin data: the description text and its value encodings, the control and object descriptions
# and their lists, packed and stored skins and their bytes, the skin-data component and how it
# tells the skinned controls of a change.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stored.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Broadcast.cpp)

# Every skin switch and the program's start read a whole skin through these: optimized even in
# debug builds.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/Text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Objects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stream.cpp
  PROPERTIES COMPILE_OPTIONS "-O2")

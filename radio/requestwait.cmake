# Waiting for a directory request while the windows go on painting.
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/PaintingWait.cpp)

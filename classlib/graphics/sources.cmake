# Pictures and drawing: colours, the BMP format and bitmaps, fonts, pens and brushes, the owners
# of GDI handles, canvases, icons and image lists.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Objects.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp)

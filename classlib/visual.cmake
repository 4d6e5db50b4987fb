# The visual half of the layer: colours, pictures, canvases, controls, forms, the application.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Color.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GraphicsObjects.cpp)
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControlAlign.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControlKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CustomControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplicationHints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Timer.cpp)

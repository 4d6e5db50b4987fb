# Controls and forms: the control, the windowed control (its children, alignment, focus and
# keys), self-painting controls, forms and MDI forms, the screen, the application and its hints,
# the timer, drag and drop, and the window messages of the layer.
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControlAlign.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinControlKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CustomControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormMdi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ApplicationHints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HintWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Timer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DragManager.cpp)

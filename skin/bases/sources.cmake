# The bases of every skinned control, windowed and windowless: which description a control draws
# from and their arithmetic (which needs no window), and the timers controls run on.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Geometry.cpp)
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/SkinCtrls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Graphic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlTimer.cpp)

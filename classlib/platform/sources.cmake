# What the layer takes from the system beside windows on screen: the registry, the XML document
# over MSXML, hidden windows whose messages go to an object's method, and where a window stands
# among its siblings (WindowOrder.h).
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CallbackWindow.cpp)

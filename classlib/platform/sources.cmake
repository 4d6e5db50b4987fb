# What the layer takes from the system beside windows on screen: the registry, the XML document
# over MSXML, and hidden windows whose messages go to an object's method.
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CallbackWindow.cpp)

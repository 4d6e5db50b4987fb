# Registry, COM and the XML document layer over MSXML.
list(APPEND CLASSLIB_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ComObj.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XmlDoc.cpp)

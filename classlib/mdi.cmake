# MDI forms: the MDI client window and its children.
list(APPEND CLASSLIB_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/FormMdi.cpp)

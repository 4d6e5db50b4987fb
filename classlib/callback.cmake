# Hidden windows whose messages go to an object's method.
list(APPEND CLASSLIB_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/CallbackWindow.cpp)

# The item lists that native list controls share (list box, tab control).
list(APPEND CLASSLIB_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/NativeItemList.cpp)

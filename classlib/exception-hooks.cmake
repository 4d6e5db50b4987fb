# Where the exception logger plugs into the class library: the hooks that see every exception
# the library catches at its entries from Win32.
list(APPEND CLASSLIB_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/ExceptionHooks.cpp)

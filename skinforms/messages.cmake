# The skinned message box.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skMessages.cpp)

# What the skinned dialog components share.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skDialogParts.cpp)

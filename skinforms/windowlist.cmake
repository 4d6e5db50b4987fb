# The window list of MDI forms.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameWindowList.cpp)

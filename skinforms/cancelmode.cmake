# MDI forms cancelling their controls' modes.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameCancelMode.cpp)

# Forms cancelling their controls' modes on the messages that reach only the form.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinFrameCancelMode.cpp)

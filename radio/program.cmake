# The program's smaller windows and its body: start-up, the compact window, the dialogs.
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ProductPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinBinding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRadioSmallForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmLumraAccount.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmSplash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioProgram.cpp)

# The skinned main menu bar on real windows.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/menubar_test.cpp)
# MDI forms under the frame: the tabs bar, maximized children and the menu bar's child buttons.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdi_test.cpp)

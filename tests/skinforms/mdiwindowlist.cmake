# The window list of MDI forms.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/mdiwindowlist_test.cpp)

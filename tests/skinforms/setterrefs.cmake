# The components the skinned controls and frames name through their setters, cancelled and shared.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/setter_refs_test.cpp)

# A press on a framed form's own frame reaching the form's dropped combo boxes.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/framecancelmode_test.cpp)

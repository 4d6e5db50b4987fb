# The program's player, chosen on first use.
list(APPEND TESTS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/player_choice_test.cpp)

# The main window's station groups, one per caption shown.
list(APPEND RADIO_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/StationGroups.cpp)

# What both roll-up panels put aside while rolled.
list(APPEND SKIN_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skPanelRoll.cpp)

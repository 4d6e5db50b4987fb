# The main menu bar's morphs and frame animation.
list(APPEND SKINFORMS_WINDOWS ${CMAKE_CURRENT_LIST_DIR}/skSkinMainMenuBarAnimation.cpp)

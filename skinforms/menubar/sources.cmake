# The bars at the top of a skinned form: the main menu bar (its objects and items, layout and
# drawing, morphs and frame animation) and the tabs bar of MDI children.
list(APPEND SKINFORMS_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/MainMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Animation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MDITabsBar.cpp)

# The category-buttons control's data model (needs no window).
list(APPEND SKINFORMS_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skCategoryButtons.cpp)

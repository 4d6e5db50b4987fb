# The root of the layer (Delphi's System and SysUtils): TObject, points and rectangles, strings
# and their conversions, Format, numbers, dates, rounding, files and paths, the exception classes
# and the hooks the exception logger plugs into, the library's texts, the kernel-handle owner,
# per-thread objects.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/System.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Exceptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Formatting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NumberConversions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextConversions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rounding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExceptionHooks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ThreadStore.cpp)

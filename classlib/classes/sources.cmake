# The component model (Delphi's Classes): components and references between them, streams,
# string lists, collections, INI text, the form loader, program resources and threads.
list(APPEND CLASSLIB_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Components.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Streams.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Collections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Resources.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Threads.cpp)

# Every skin load parses a description text of some 1,500 lines through the INI reader:
# optimized even in debug builds.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/IniFiles.cpp PROPERTIES COMPILE_OPTIONS "-O2")

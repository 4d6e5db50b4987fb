# The directory service's client over the stream player's HTTP code.
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/DirectoryRequest.cpp)

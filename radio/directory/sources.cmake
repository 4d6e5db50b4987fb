# The station directory: the station model and its XML, the process-wide directory with its
# cache, the settings store in the registry, and the directory-service client (where the service
# is, its requests over the stream player's HTTP code, its texts and pages, and the wait for a
# request while the windows go on painting).
list(APPEND RADIO_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelCategory.cpp)
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelCategoryXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StationCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Request.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PaintingWait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServicePages.cpp)
# The service the program talks to unless TREBANIX_SERVICE_URL in the environment says otherwise.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/RadioUtils.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS "TREBANIX_SERVICE_URL=\"${TREBANIX_SERVICE_URL}\"")

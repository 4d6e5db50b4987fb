# The station directory: settings store, station model and XML, directory-service client.
list(APPEND RADIO_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelCategory.cpp)
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelCategoryXml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioChannelManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RadioUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryManager.cpp)
# The service the program talks to unless TREBANIX_SERVICE_URL in the environment says otherwise.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/RadioUtils.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS "TREBANIX_SERVICE_URL=\"${TREBANIX_SERVICE_URL}\"")

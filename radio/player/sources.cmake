# Our own stream player: the parts that need no Windows build everywhere; the thread, the
# network, the ACM decoder and waveOut only for Windows; and the one place that chooses the
# program's player.
list(APPEND RADIO_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/MpegFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IcyMetadata.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpResponse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamUrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RefusedServers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Playlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamFormat.cpp)
list(APPEND RADIO_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/StreamPlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StreamSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpStreamSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TimeBound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SecureChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CertificateCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mp3Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaveOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Choice.cpp)
if(TREBANIX_WINDOWS)
  # The library target exists only once the parent folder's list is read to the end.
  cmake_language(DEFER CALL target_link_libraries radio PUBLIC ws2_32 winmm)
endif()
# The sample path touches every sample and every byte of the stream: unoptimised, as in debug
# builds, it would cost about as much as decoding.
set_source_files_properties(
  ${CMAKE_CURRENT_LIST_DIR}/WaveOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MpegFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IcyMetadata.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HttpResponse.cpp
  PROPERTIES COMPILE_OPTIONS "-O2")

# The program's stored skins: tools/skingen draws them and packs them with the program's own
# packer at build time into <build>/skins/stored (one zlib stream per skin and StoredSkins.rc,
# the resource script naming them; see StoredSkinResources.h).
set(STORED_SKINS_DIR ${CMAKE_CURRENT_BINARY_DIR}/stored CACHE INTERNAL "Packed stored skins")
set(STORED_SKINS_RC ${STORED_SKINS_DIR}/StoredSkins.rc)

if(TREBANIX_WINDOWS)
  # The generator is a host program from the native build, brought up to date first so that
  # a changed skin record always reaches the program.
  set(skingen_exe ${TREBANIX_HOST_BUILD}/tools/skingen/skingen)
  add_custom_target(stored_skins_generator
    COMMAND ${CMAKE_COMMAND} --build ${TREBANIX_HOST_BUILD} --target skingen
    BYPRODUCTS ${skingen_exe}
    COMMENT "Bringing the host skin generator up to date")
  add_custom_command(OUTPUT ${STORED_SKINS_RC}
    COMMAND ${skingen_exe} --pack ${STORED_SKINS_DIR}
    DEPENDS ${skingen_exe} stored_skins_generator
    COMMENT "Drawing and packing the stored skins")
  # An object library: resources in a static library would be dropped by the linker.
  add_library(stored_skins OBJECT ${STORED_SKINS_RC} ${CMAKE_CURRENT_SOURCE_DIR}/StoredSkins.cpp)
  if(TARGET TrebanixRadio)
    target_link_libraries(TrebanixRadio PRIVATE stored_skins)
  endif()
else()
  # Natively the packed streams stay files; the skin tests register them as resources.
  add_custom_command(OUTPUT ${STORED_SKINS_RC}
    COMMAND skingen --pack ${STORED_SKINS_DIR}
    DEPENDS skingen
    COMMENT "Drawing and packing the stored skins")
  add_custom_target(stored_skins_packed DEPENDS ${STORED_SKINS_RC})
  add_library(stored_skins OBJECT ${CMAKE_CURRENT_SOURCE_DIR}/StoredSkins.cpp)
  add_dependencies(stored_skins stored_skins_packed)
endif()
# Only the headers: the program and the tests that take these objects link the libraries.
target_include_directories(stored_skins PRIVATE ${CMAKE_SOURCE_DIR})

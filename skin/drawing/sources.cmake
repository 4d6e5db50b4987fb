# Drawing and region utilities: the free routines the skinned controls and the frame share
# (texts, glyphs, the parent's background, system versions and work areas), mask regions, the
# effect bitmap and its kernels, the skin-image composers and the default look.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/Utils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MaskRegion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Effects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EffectsKernels.cpp)
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/EffectsDib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Composers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tiling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Regions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Glyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/System.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Parent.cpp)
# The effect bitmap's pixels: a DIB section on Windows, plain memory on the host.
if(NOT TREBANIX_WINDOWS)
  list(APPEND SKIN_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/EffectsMem.cpp)
endif()

# Per-pixel loops run on every morph tick and region rebuild: optimized even in debug builds.
# On i686 the SSE unit also keeps the channel arithmetic in plain double precision, so both
# builds round exactly alike.
set(drawing_hot ${CMAKE_CURRENT_LIST_DIR}/Effects.cpp ${CMAKE_CURRENT_LIST_DIR}/EffectsKernels.cpp
                ${CMAKE_CURRENT_LIST_DIR}/MaskRegion.cpp)
set_source_files_properties(${drawing_hot} PROPERTIES COMPILE_OPTIONS "-O2")
# The effect kernels are plain loops: the cheap cost model lets the compiler vectorise loops
# of any length, with a scalar tail (the default at -O2 only takes loops without one). The flag
# is GCC's own; the fuzzing build compiles with clang.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/EffectsKernels.cpp APPEND PROPERTY COMPILE_OPTIONS
             $<$<CXX_COMPILER_ID:GNU>:-fvect-cost-model=cheap>)
if(TREBANIX_WINDOWS)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/Effects.cpp ${CMAKE_CURRENT_LIST_DIR}/EffectsKernels.cpp
               APPEND PROPERTY COMPILE_OPTIONS -msse2 -mfpmath=sse)
endif()

# Drawing and region utilities, interface strings, composers, effect bitmap.
list(APPEND SKIN_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/skconst.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skResourceStrData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skUtils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skMaskRegion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skEffects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skEffectsKernels.cpp)
list(APPEND SKIN_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/skEffectsDib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skComposers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skRegions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skUtilsText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skUtilsGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skUtilsSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skUtilsParent.cpp)
# The effect bitmap's pixels: a DIB section on Windows, plain memory on the host.
if(NOT TREBANIX_WINDOWS)
  list(APPEND SKIN_PORTABLE ${CMAKE_CURRENT_LIST_DIR}/skEffectsMem.cpp)
endif()

# Per-pixel loops run on every morph tick and region rebuild: optimized even in debug builds.
# On i686 the SSE unit also keeps the channel arithmetic in plain double precision, so both
# builds round exactly alike.
set(drawing_hot ${CMAKE_CURRENT_LIST_DIR}/skEffects.cpp ${CMAKE_CURRENT_LIST_DIR}/skEffectsKernels.cpp
                ${CMAKE_CURRENT_LIST_DIR}/skMaskRegion.cpp)
set_source_files_properties(${drawing_hot} PROPERTIES COMPILE_OPTIONS "-O2")
# The effect kernels are plain loops: the cheap cost model lets the compiler vectorise loops
# of any length, with a scalar tail (the default at -O2 only takes loops without one). The flag
# is GCC's own; the fuzzing build compiles with clang.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/skEffectsKernels.cpp APPEND PROPERTY COMPILE_OPTIONS
             $<$<CXX_COMPILER_ID:GNU>:-fvect-cost-model=cheap>)
if(TREBANIX_WINDOWS)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/skEffects.cpp ${CMAKE_CURRENT_LIST_DIR}/skEffectsKernels.cpp
               APPEND PROPERTY COMPILE_OPTIONS -msse2 -mfpmath=sse)
endif()

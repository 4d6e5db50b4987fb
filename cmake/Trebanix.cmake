# trebanix_library(<name> PORTABLE <sources...> WINDOWS <sources...> DEPENDS <libs...>
#                  WINDOWS_LIBS <system libs...>)
# One static library per subsystem. PORTABLE sources need no window and build in both builds;
# WINDOWS sources build only in the Windows build.
function(trebanix_library name)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS;DEPENDS;WINDOWS_LIBS;NATIVE_LIBS" ${ARGN})
  set(sources ${ARG_PORTABLE})
  if(TREBANIX_WINDOWS)
    list(APPEND sources ${ARG_WINDOWS})
  endif()
  if(NOT sources)
    # Nothing yet for this build: an interface target keeps dependents linking.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(TREBANIX_WINDOWS)
    target_link_libraries(${name} PUBLIC ${ARG_WINDOWS_LIBS})
  else()
    target_link_libraries(${name} PUBLIC ${ARG_NATIVE_LIBS})
  endif()
endfunction()

# trebanix_tests(<name> PORTABLE <sources...> WINDOWS <sources...> DEPENDS <libs...>)
# One test program per subsystem: <name>_tests.exe under Wine, <name>_tests natively.
function(trebanix_tests name)
  cmake_parse_arguments(ARG "" "" "PORTABLE;WINDOWS;DEPENDS" ${ARGN})
  set(sources ${ARG_PORTABLE})
  if(TREBANIX_WINDOWS)
    list(APPEND sources ${ARG_WINDOWS})
  endif()
  # The same target name in both builds, so that "--target <name>_tests" works in each.
  set(target ${name}_tests)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gtest_main test_fakes)
  if(TREBANIX_WINDOWS)
    # Each test starts from the same pointer and focus, in every program that drives windows.
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/KnownStart.cpp)
    target_link_libraries(${target} PRIVATE test_support)
  endif()
  trebanix_add_gtest(${target})
endfunction()

# How long a test program may run before it counts as hung and is stopped (see run-gtest): the
# slowest program, the radio's, needs about 145 s on a loaded machine and some 190 s under Wine's
# heap checking; twice that is room for a busier machine and still ends a hung CI run early.
set(TREBANIX_TEST_LIMIT 400)

# trebanix_add_gtest(<target>)
# A GoogleTest program as a test, judged by its own XML result (scripts/lib/run-gtest): an exit
# status alone can call a crashed run a pass. The runner stops it as hung at the limit above and
# names the test it hung in; ctest's own time-out only backs that up.
function(trebanix_add_gtest target)
  add_test(NAME ${target}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/run-gtest $<TARGET_FILE:${target}> --gtest_color=no)
  math(EXPR backstop "${TREBANIX_TEST_LIMIT} + 60")
  set_tests_properties(${target} PROPERTIES TIMEOUT ${backstop}
                       ENVIRONMENT "TREBANIX_TEST_LIMIT=${TREBANIX_TEST_LIMIT}")
endfunction()

# trebanix_add_heap_checked_gtest(<name> <target> <filter>)
# Some tests of a GoogleTest program run again under Wine's heap check, which writes what it
# finds to the error output of the program and of every program it starts: a free of a
# pointer read from freed memory ("FEEEFEE6"), or of anything that is no block of the heap,
# or a block written after its end or its free ("err:heap"), fails the run.
function(trebanix_add_heap_checked_gtest name target filter)
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/run-gtest $<TARGET_FILE:${target}> --gtest_color=no
                   --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 ENVIRONMENT "WINEDEBUG=warn+heap"
                       FAIL_REGULAR_EXPRESSION "FEEEFEE6;unsafe_block_from_ptr;err:heap")
endfunction()

# The program starts on a plain Windows: it imports no DLL that Windows does not ship.
if(TREBANIX_WINDOWS)
  add_test(NAME program_imports_only_system_dlls
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/lib/check-imports ${CMAKE_OBJDUMP} $<TARGET_FILE:TrebanixRadio>)
endif()

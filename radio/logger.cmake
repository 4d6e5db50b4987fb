# The exception logger installs itself into the program before anything of the program runs.
list(APPEND RADIO_PROGRAM_SOURCES $<TARGET_OBJECTS:crashlog_install> ${CMAKE_SOURCE_DIR}/crashlog/LoggerData.rc)

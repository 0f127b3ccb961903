# Starts (ACTION=start) or stops (ACTION=stop) the wine server that the Windows
# build's tests share. WINESERVER, WINE64, PREFIX, LOG.
#
# Whatever wine leaves running gets the log for its output, never the test's
# own output, or the test would not end while the server lives.
if(ACTION STREQUAL "start")
    file(MAKE_DIRECTORY "${PREFIX}")
    # A server left over from an earlier run is simply used.
    execute_process(COMMAND "${WINESERVER}" -p INPUT_FILE /dev/null OUTPUT_FILE "${LOG}" ERROR_FILE "${LOG}")
    # The first start creates the prefix, which takes some seconds.
    execute_process(COMMAND "${WINE64}" wineboot --init INPUT_FILE /dev/null OUTPUT_FILE "${LOG}"
                    ERROR_FILE "${LOG}" COMMAND_ERROR_IS_FATAL ANY)
else()
    execute_process(COMMAND "${WINESERVER}" -k INPUT_FILE /dev/null OUTPUT_FILE "${LOG}" ERROR_FILE "${LOG}")
endif()

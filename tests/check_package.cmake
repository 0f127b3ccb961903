# Packs the build with CPack, unpacks the archive, and runs the program found
# in it through the road transcript. CPACK, CONFIG, WORK, and the options of
# run_transcript.cmake but PROGRAM.

file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" --config "${CONFIG}" -B "${WORK}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(GLOB archive "${WORK}/beadsort-*.zip" "${WORK}/beadsort-*.tar.gz")
list(LENGTH archive archives)
if(NOT archives EQUAL 1)
    message(FATAL_ERROR "expected one archive in ${WORK}, found: ${archive}")
endif()

file(MAKE_DIRECTORY "${WORK}/unpacked")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${archive}" WORKING_DIRECTORY "${WORK}/unpacked"
                COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE program "${WORK}/unpacked/*/bin/beadsort" "${WORK}/unpacked/*/bin/beadsort.exe")
file(GLOB_RECURSE readme "${WORK}/unpacked/*/README.md")
if(NOT program OR NOT readme)
    message(FATAL_ERROR "${archive} lacks bin/beadsort or README.md")
endif()

execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DPROGRAM=${program}" "-DEMULATOR=${EMULATOR}" "-DDIR=${DIR}" -DNAME=road
            "-DCRLF=${CRLF}" "-DWORK=${WORK}" -P "${CMAKE_CURRENT_LIST_DIR}/run_transcript.cmake"
    COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "${archive} holds a working ${program}")

# Runs the program on one transcript's input and compares, byte for byte, its
# standard output, standard error and exit status with the expected ones. A
# difference is shown as a diff -u, with CR made visible.
#
#   PROGRAM      the program; EMULATOR runs it when cross-built
#   DIR, NAME    the transcript: NAME.in, NAME.out, and NAME.err when the run
#                must say something on standard error
#   INPUT        input transcript, when another than NAME
#   EXPECT       expected transcript, when another than NAME
#   STATUS       expected exit status (default 0)
#   ARGS         command-line arguments, ;-separated
#   CRLF         expect every line break as CR LF (Windows text mode)
#   STDIN        read standard input from this path instead (a directory: /)
#   STDOUT       write standard output here instead of to a file (/dev/full)
#   THEN         a transcript whose .out standard output goes on with
#   PREFIX_BYTE, PREFIX_LENGTH
#                start the input with one word of PREFIX_LENGTH copies of
#                PREFIX_BYTE on a line of its own
#   MEMORY_LIMIT run under this many bytes of address space (prlimit)
#   WORK         scratch folder

foreach(required PROGRAM DIR NAME WORK)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "${required} is not set")
    endif()
endforeach()
if(NOT DEFINED INPUT)
    set(INPUT "${NAME}")
endif()
if(NOT DEFINED EXPECT)
    set(EXPECT "${NAME}")
endif()
if(NOT DEFINED STATUS)
    set(STATUS 0)
endif()

file(MAKE_DIRECTORY "${WORK}")
set(input "${DIR}/${INPUT}.in")
if(DEFINED STDIN)
    set(input "${STDIN}")
elseif(DEFINED PREFIX_LENGTH)
    set(input "${WORK}/${NAME}.in")
    string(REPEAT "${PREFIX_BYTE}" ${PREFIX_LENGTH} prefix)
    file(READ "${DIR}/${INPUT}.in" rest)
    file(WRITE "${input}" "${prefix}\n${rest}")
    unset(prefix)
endif()

set(launcher)
if(DEFINED MEMORY_LIMIT)
    find_program(PRLIMIT prlimit REQUIRED)
    set(launcher "${PRLIMIT}" "--as=${MEMORY_LIMIT}" --)
endif()
set(stdout "${WORK}/${NAME}.stdout")
if(DEFINED STDOUT)
    set(stdout "${STDOUT}")
endif()

execute_process(
    COMMAND ${launcher} ${EMULATOR} "${PROGRAM}" ${ARGS}
    INPUT_FILE "${input}"
    OUTPUT_FILE "${stdout}"
    ERROR_FILE "${WORK}/${NAME}.stderr"
    RESULT_VARIABLE status)

set(failures)
if(NOT status STREQUAL STATUS)
    list(APPEND failures "exit status ${status}, expected ${STATUS}")
endif()

# Compares a produced file with a hand-written one, whose line breaks become
# CR LF in CR LF mode; the produced bytes are never altered.
function(compare what produced expected)
    set(text "")
    if(EXISTS "${expected}")
        file(READ "${expected}" text)
    endif()
    foreach(more IN LISTS ARGN)
        file(READ "${more}" more)
        string(APPEND text "${more}")
    endforeach()
    if(CRLF)
        string(REPLACE "\n" "\r\n" text "${text}")
    endif()
    set(wanted "${produced}.expected")
    file(WRITE "${wanted}" "${text}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${wanted}" "${produced}" RESULT_VARIABLE differ)
    if(NOT differ)
        return()
    endif()
    foreach(file IN ITEMS wanted produced)
        file(READ "${${file}}" text)
        string(REPLACE "\r" "\\r" text "${text}")
        file(WRITE "${${file}}.visible" "${text}")
    endforeach()
    execute_process(COMMAND diff -u --label "${expected}" --label "${what}" "${wanted}.visible"
                            "${produced}.visible")
    set(failures ${failures} "${what} differs (diff above)" PARENT_SCOPE)
endfunction()

if(NOT DEFINED STDOUT)
    set(then)
    if(DEFINED THEN)
        set(then "${DIR}/${THEN}.out")
    endif()
    compare("standard output" "${stdout}" "${DIR}/${EXPECT}.out" ${then})
endif()
compare("standard error" "${WORK}/${NAME}.stderr" "${DIR}/${EXPECT}.err")

if(failures)
    list(JOIN failures "; " report)
    message(FATAL_ERROR "${NAME}: ${report}")
endif()

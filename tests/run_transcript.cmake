# Runs the program on one transcript's input and compares, byte for byte, its
# standard output, standard error and exit status with the expected ones.
#
#   PROGRAM      the program; EMULATOR runs it when cross-built
#   DIR, NAME    the transcript: NAME.in, NAME.out, and NAME.err when the run
#                must say something on standard error
#   INPUT        input transcript, when another than NAME
#   EXPECT       expected transcript, when another than NAME
#   STATUS       expected exit status (default 0)
#   ARGS         command-line arguments, ;-separated
#   CRLF         expect every line break as CR LF (Windows text mode)
#   STDOUT       write standard output here instead of to a file (/dev/full)
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
if(DEFINED PREFIX_LENGTH)
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
    RESULT_VARIABLE status
    TIMEOUT 120)

set(failures)
if(NOT status STREQUAL STATUS)
    list(APPEND failures "exit status ${status}, expected ${STATUS}")
endif()

# Compares a produced file with a hand-written one; in CR LF mode the expected
# line breaks become CR LF, and the produced bytes are never altered.
function(compare what produced expected)
    file(READ "${produced}" actual_hex HEX)
    set(expected_hex "")
    if(EXISTS "${expected}")
        file(READ "${expected}" expected_hex HEX)
    endif()
    if(CRLF)
        string(REGEX REPLACE "(..)" "\\1;" bytes "${expected_hex}")
        list(TRANSFORM bytes REPLACE "^0a$" "0d0a")
        list(JOIN bytes "" expected_hex)
    endif()
    if(NOT actual_hex STREQUAL expected_hex)
        file(READ "${produced}" text)
        set(failures ${failures} "${what} differs from ${expected}; it was:\n${text}" PARENT_SCOPE)
    endif()
endfunction()

if(NOT DEFINED STDOUT)
    compare("standard output" "${stdout}" "${DIR}/${EXPECT}.out")
endif()
compare("standard error" "${WORK}/${NAME}.stderr" "${DIR}/${EXPECT}.err")

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${NAME}: ${report}")
endif()

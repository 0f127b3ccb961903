# Runs the program on one transcript's input and compares, byte for byte, its
# standard output, standard error and exit status with the expected ones. A
# difference is shown as a diff -u, with CR made visible.
#
#   PROGRAM         the program; EMULATOR runs it when cross-built
#   TRANSCRIPTS     the folder of the transcripts
#   NAME            the transcript: NAME.in, NAME.out, and NAME.err exactly
#                   when the run must fail with status 1 and say why
#   INPUT           input transcript, when another than NAME
#   EXPECT          expected transcript, when another than NAME
#   EXPECT_FOLLOWED_BY
#                   a transcript whose .out follows EXPECT's on standard output
#   ARGS            command-line arguments, ;-separated
#   CRLF            expect every line break as CR LF (Windows text mode)
#   STDIN           read standard input from this path instead (a directory: /)
#   STDOUT          write standard output here instead of to a file (/dev/full)
#   PREFIX_BYTE, PREFIX_LENGTH
#                   start the input with one word of PREFIX_LENGTH copies of
#                   PREFIX_BYTE on a line of its own
#   MEMORY_LIMIT    run under this many bytes of address space (prlimit)
#   SCRATCH         the folder for the files of the run

foreach(required PROGRAM TRANSCRIPTS NAME SCRATCH)
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
set(STATUS 0)
if(EXISTS "${TRANSCRIPTS}/${EXPECT}.err")
    set(STATUS 1)
endif()

file(MAKE_DIRECTORY "${SCRATCH}")
set(input "${TRANSCRIPTS}/${INPUT}.in")
if(DEFINED STDIN)
    set(input "${STDIN}")
elseif(DEFINED PREFIX_LENGTH)
    set(input "${SCRATCH}/${NAME}.in")
    string(REPEAT "${PREFIX_BYTE}" ${PREFIX_LENGTH} prefix)
    file(READ "${TRANSCRIPTS}/${INPUT}.in" rest)
    file(WRITE "${input}" "${prefix}\n${rest}")
    unset(prefix)
endif()

set(launcher)
if(DEFINED MEMORY_LIMIT)
    find_program(PRLIMIT prlimit REQUIRED)
    set(launcher "${PRLIMIT}" "--as=${MEMORY_LIMIT}" --)
endif()
set(stdout "${SCRATCH}/${NAME}.stdout")
if(DEFINED STDOUT)
    set(stdout "${STDOUT}")
endif()

execute_process(
    COMMAND ${launcher} ${EMULATOR} "${PROGRAM}" ${ARGS}
    INPUT_FILE "${input}"
    OUTPUT_FILE "${stdout}"
    ERROR_FILE "${SCRATCH}/${NAME}.stderr"
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
    set(followed_by)
    if(DEFINED EXPECT_FOLLOWED_BY)
        set(followed_by "${TRANSCRIPTS}/${EXPECT_FOLLOWED_BY}.out")
    endif()
    compare("standard output" "${stdout}" "${TRANSCRIPTS}/${EXPECT}.out" ${followed_by})
endif()
compare("standard error" "${SCRATCH}/${NAME}.stderr" "${TRANSCRIPTS}/${EXPECT}.err")

if(failures)
    list(JOIN failures "; " report)
    message(FATAL_ERROR "${NAME}: ${report}")
endif()

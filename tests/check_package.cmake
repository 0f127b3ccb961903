# Packs the build with CPack and checks what a user downloads: SHA256SUMS
# holds the hash of every package; each package holds exactly the files its
# platform expects; the program in it runs the example session, and so does
# the Windows launcher.
#   CPACK, CONFIG, SCRATCH, VERSION, TARBALL and DEB (the names of the Linux
#   packages, the tarball's without .tar.gz), and
#   the options of run_transcript.cmake but PROGRAM and NAME

# Under cmake -P no policy is set unless asked: IN_LIST needs CMP0057.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CPACK}" --config "${CONFIG}" -B "${SCRATCH}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(failures)
set(checked 0)
file(STRINGS "${SCRATCH}/SHA256SUMS" sums)

# transcript(WHAT OPTION...): runs a transcript with the given options of
# run_transcript.cmake, and notes WHAT as failing if it fails.
function(transcript what)
    execute_process(COMMAND "${CMAKE_COMMAND}" ${ARGN} "-DEMULATOR=${EMULATOR}" "-DTRANSCRIPTS=${TRANSCRIPTS}"
                            "-DCRLF=${CRLF}" "-DSCRATCH=${SCRATCH}" -P "${CMAKE_CURRENT_LIST_DIR}/run_transcript.cmake"
                    RESULT_VARIABLE status)
    if(status)
        set(failures ${failures} "${what} fails the example session" PARENT_SCOPE)
    endif()
endfunction()

# check(PACKAGE ROOT PROGRAM FILE...): PACKAGE unpacks to exactly FILE...,
# all under ROOT; ROOT/PROGRAM runs the example session.
function(check package root program)
    file(SHA256 "${SCRATCH}/${package}" hash)
    if(NOT "${hash}  ${package}" IN_LIST sums)
        list(APPEND failures "SHA256SUMS lacks ${hash}  ${package}")
    endif()

    set(unpacked "${SCRATCH}/unpacked/${package}")
    file(MAKE_DIRECTORY "${unpacked}")
    if(package MATCHES "\\.deb$")
        execute_process(COMMAND dpkg-deb -x "${SCRATCH}/${package}" "${unpacked}" COMMAND_ERROR_IS_FATAL ANY)
    else()
        execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${SCRATCH}/${package}" WORKING_DIRECTORY "${unpacked}"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${unpacked}/${root}" "${unpacked}/*")
    list(SORT found)
    set(expected ${ARGN})
    list(SORT expected)
    if(NOT found STREQUAL expected)
        list(APPEND failures "${package} holds ${found}, not ${expected}")
    endif()

    transcript("the program in ${package}" "-DPROGRAM=${unpacked}/${root}/${program}" -DNAME=example-session)
    if(program MATCHES "\\.exe$")
        # Older Notepad reads the guide as UTF-8 only by its byte-order mark.
        file(READ "${unpacked}/${root}/README.txt" mark LIMIT 3 HEX)
        if(NOT mark STREQUAL "efbbbf")
            list(APPEND failures "README.txt does not begin with a UTF-8 byte-order mark")
        endif()
        # The launcher for a double-click: the report, then the wait for a
        # key, in the words of wine's cmd.
        string(REPLACE "/" "\\" launcher "Z:${unpacked}/${root}/beadsort.cmd")
        transcript("beadsort.cmd in ${package}" -DPROGRAM=cmd "-DARGS=/c\\;${launcher}" -DNAME=launcher
                   -DINPUT=example-session -DEXPECT=example-session -DEXPECT_FOLLOWED_BY=wine-pause)
    endif()
    math(EXPR checked "${checked} + 1")
    set(checked ${checked} PARENT_SCOPE)
    set(failures ${failures} PARENT_SCOPE)
endfunction()

if(CRLF)
    set(folder "beadsort-${VERSION}-win64")
    check(${folder}.zip ${folder} beadsort.exe beadsort.exe beadsort.cmd README.txt LICENSE.txt)
else()
    set(docs share/doc/beadsort)
    set(files bin/beadsort share/man/man1/beadsort.1.gz ${docs}/README.md.gz ${docs}/LICENSE ${docs}/copyright
              ${docs}/changelog.gz)
    check(${TARBALL}.tar.gz ${TARBALL} bin/beadsort ${files})
    check(${DEB} usr bin/beadsort ${files} share/lintian/overrides/beadsort)
endif()

list(LENGTH sums listed)
if(NOT listed EQUAL checked)
    list(APPEND failures "SHA256SUMS lists ${listed} packages, not ${checked}")
endif()
if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()

# The programs that a build needs beyond its compiler, each named with the
# Debian package that brings it, so that one that is missing stops the
# configuration with what to install.

# beadsort_require(VARIABLE PROGRAM PACKAGE): finds PROGRAM, or stops.
function(beadsort_require variable program package)
    find_program(${variable} ${program})
    if(NOT ${variable})
        message(FATAL_ERROR "${program} not found: install ${package}")
    endif()
endfunction()

# beadsort_emulator(PROGRAM PACKAGE [ARGUMENT...]), in a cross build's
# toolchain file: what the build makes runs under PROGRAM, which Debian has
# in PATH or in /usr/lib/wine. Only the tests run it, so where it is missing
# they stop the configuration (tests/CMakeLists.txt), and a build without
# them goes on.
macro(beadsort_emulator program package)
    find_program(BEADSORT_EMULATOR ${program} PATHS /usr/lib/wine)
    if(BEADSORT_EMULATOR)
        set(CMAKE_CROSSCOMPILING_EMULATOR "${BEADSORT_EMULATOR}" ${ARGN})
    else()
        set(BEADSORT_EMULATOR_MISSING "${program} not found: install ${package}")
    endif()
endmacro()

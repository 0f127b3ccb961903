# Hardening of the shipped program, kept in this one place. What a toolchain
# can do is tried when the build is configured, not looked up by platform:
# each flag is kept where a program builds and links with it. beadsort_harden()
# is called on each of the program's own targets; the tests and the
# benchmark, which link its libraries, are linked as usual.
if(BEADSORT_HARDEN)
    include(CheckCXXCompilerFlag)
    include(CheckCXXSourceCompiles)
    include(CheckLinkerFlag)
    set(beadsort_hardening_compile_options)
    set(beadsort_hardening_link_options)
    # A flag that a compiler takes with a warning (clang: "argument unused")
    # does nothing there.
    set(CMAKE_REQUIRED_FLAGS -Werror)

    # Guarded stack growth, and the processor's own control-flow checks: CET
    # on x86-64, return-address signing and branch targets on 64-bit ARM.
    foreach(flag IN ITEMS -fstack-clash-protection -fcf-protection=full -mbranch-protection=standard)
        string(MAKE_C_IDENTIFIER "BEADSORT_HAS${flag}" has)
        check_cxx_compiler_flag(${flag} ${has})
        if(${has})
            list(APPEND beadsort_hardening_compile_options ${flag})
        endif()
    endforeach()

    # The stack protector, tried on a buffer so that its guard is linked, and
    # fortified calls where the C library has them (they need the optimiser).
    # Not for Windows: their library, libssp, would bring in ADVAPI32.dll to
    # seed its canary, and the program imports only KERNEL32.dll and msvcrt.dll.
    if(NOT MINGW)
        set(CMAKE_REQUIRED_FLAGS "-Werror -fstack-protector-strong")
        check_cxx_source_compiles(
            "#include <cstdio>
            int main(int argc, char**) { char line[16]; std::snprintf(line, sizeof line, \"%d\", argc); return std::puts(line); }"
            BEADSORT_HAS_STACK_PROTECTOR)
        if(BEADSORT_HAS_STACK_PROTECTOR)
            list(APPEND beadsort_hardening_compile_options -fstack-protector-strong)
        endif()
        list(APPEND beadsort_hardening_compile_options $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
    endif()

    # Static, so that it starts on any system of its processor whatever its C
    # library; position-independent as well where the C library can start it
    # so, so that it still loads at a random address.
    set(CMAKE_REQUIRED_FLAGS "-Werror -fPIE")
    check_linker_flag(CXX -static-pie BEADSORT_STATIC_PIE)
    set(CMAKE_REQUIRED_FLAGS -Werror)
    if(BEADSORT_STATIC_PIE)
        list(APPEND beadsort_hardening_link_options -static-pie)
    else()
        check_linker_flag(CXX -static BEADSORT_STATIC)
        if(BEADSORT_STATIC)
            list(APPEND beadsort_hardening_link_options -static)
        endif()
    endif()

    # Full RELRO (relocations resolved at start, then made read-only) and a
    # stack that is not executable on ELF; ASLR, high-entropy, and NX on PE.
    foreach(flag IN ITEMS "LINKER:-z,relro,-z,now" "LINKER:-z,noexecstack"
                          "LINKER:--dynamicbase,--high-entropy-va,--nxcompat")
        string(REPLACE "LINKER:" "" name "${flag}")
        string(MAKE_C_IDENTIFIER "BEADSORT_LINKS${name}" links)
        check_linker_flag(CXX "${flag}" ${links})
        if(${links})
            list(APPEND beadsort_hardening_link_options "${flag}")
        endif()
    endforeach()
    unset(CMAKE_REQUIRED_FLAGS)
endif()

function(beadsort_harden target)
    if(NOT BEADSORT_HARDEN)
        return()
    endif()
    target_compile_options(${target} PRIVATE ${beadsort_hardening_compile_options})
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE "${BEADSORT_STATIC_PIE}")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE ${beadsort_hardening_link_options})
    endif()
endfunction()

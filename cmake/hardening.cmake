# Hardening of the shipped program, kept in this one place. beadsort_harden()
# is called on each of the program's own targets; the tests and the benchmark,
# which link its libraries, are linked as usual.
function(beadsort_harden target)
    if(NOT BEADSORT_HARDEN)
        return()
    endif()
    get_target_property(type ${target} TYPE)
    if(MINGW)
        # A standalone console program that imports only KERNEL32.dll and
        # msvcrt.dll: libgcc and libstdc++ linked in; ASLR and NX on. No stack
        # protector or fortified calls: their library, libssp, would bring in
        # ADVAPI32.dll to seed its canary.
        if(type STREQUAL "EXECUTABLE")
            target_link_options(${target} PRIVATE -static -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
        endif()
        return()
    endif()

    # On any POSIX system: position-independent, stack protector, and
    # fortified calls (which need the optimiser) where the C library has them.
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>
                                             -fstack-protector-strong)
    # The rest is GNU/Linux's alone (untried elsewhere).
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
        return()
    endif()
    # Guarded stack growth, and the processor's own control-flow checks: CET
    # on x86-64, return-address signing and branch targets on 64-bit ARM.
    target_compile_options(${target} PRIVATE -fstack-clash-protection)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        target_compile_options(${target} PRIVATE -fcf-protection=full)
    elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
        target_compile_options(${target} PRIVATE -mbranch-protection=standard)
    endif()
    # Static and position-independent: it starts on any Linux of its
    # processor, whatever its C library, and still loads at a random address.
    # Full RELRO: relocations resolved at start, then made read-only.
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -static-pie -Wl,-z,relro,-z,now,-z,noexecstack)
    endif()
endfunction()

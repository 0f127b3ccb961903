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
    else()
        set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
        # Fortified calls need the optimiser.
        target_compile_options(
            ${target} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>
                              -fstack-protector-strong -fstack-clash-protection -fcf-protection=full)
        # Static and position-independent: it starts on any x86-64 Linux,
        # whatever its C library, and still loads at a random address. Full
        # RELRO: relocations resolved at start, then made read-only.
        if(type STREQUAL "EXECUTABLE")
            target_link_options(${target} PRIVATE -static-pie -Wl,-z,relro,-z,now,-z,noexecstack)
        endif()
    endif()
endfunction()

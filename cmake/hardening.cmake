# Hardening of the shipped binaries, kept in this one place.
add_library(beadsort_hardening INTERFACE)
if(BEADSORT_HARDEN)
    if(MINGW)
        # A standalone console program that imports only KERNEL32.dll and
        # msvcrt.dll: libgcc and libstdc++ linked in; ASLR and NX on. No stack
        # protector or fortified calls: their library, libssp, would bring in
        # ADVAPI32.dll to seed its canary.
        target_link_options(beadsort_hardening INTERFACE -static
                            -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
    else()
        include(CheckPIESupported)
        check_pie_supported(LANGUAGES CXX)
        set(CMAKE_POSITION_INDEPENDENT_CODE ON)
        # Fortified calls need the optimiser.
        target_compile_options(
            beadsort_hardening
            INTERFACE $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>
                      -fstack-protector-strong -fstack-clash-protection -fcf-protection=full)
        # Full RELRO: relocations resolved at start, then made read-only.
        target_link_options(beadsort_hardening INTERFACE -Wl,-z,relro,-z,now,-z,noexecstack)
    endif()
endif()

# Checks that the shipped program carries its hardening.
#   Linux:   PIE, full RELRO, non-executable stack, stack protector, fortified calls
#   Windows: PE32+ console program, ASLR (high entropy), NX, and no DLL but
#            KERNEL32.dll and msvcrt.dll
# PROGRAM, and READELF (Linux) or OBJDUMP (Windows).

set(failures)
function(expect haystack pattern why)
    if(NOT haystack MATCHES "${pattern}")
        set(failures ${failures} "${why}" PARENT_SCOPE)
    endif()
endfunction()

if(OBJDUMP)
    execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    expect("${headers}" "file format pei-x86-64" "not a PE32+ x86-64 image")
    expect("${headers}" "Subsystem[ \t]+00000003" "not a console program")
    expect("${headers}" "HIGH_ENTROPY_VA" "no high-entropy ASLR")
    expect("${headers}" "DYNAMIC_BASE" "no ASLR")
    expect("${headers}" "NX_COMPAT" "no NX")
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
    list(SORT imports)
    if(NOT imports STREQUAL "DLL Name: KERNEL32.dll;DLL Name: msvcrt.dll")
        list(APPEND failures "imports ${imports}")
    endif()
else()
    execute_process(COMMAND "${READELF}" --wide --dynamic --program-headers --dyn-syms "${PROGRAM}"
                    OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    expect("${headers}" "FLAGS_1\\)[^\n]*PIE" "not PIE")
    expect("${headers}" "GNU_RELRO" "no RELRO")
    expect("${headers}" "FLAGS\\)[^\n]*BIND_NOW" "RELRO is not full (no BIND_NOW)")
    expect("${headers}" "GNU_STACK[^\n]* RW " "executable stack")
    expect("${headers}" "__stack_chk_fail" "no stack protector")
    expect("${headers}" "__[a-z]+_chk@" "no fortified calls")
endif()

if(failures)
    list(JOIN failures "; " report)
    message(FATAL_ERROR "${PROGRAM}: ${report}")
endif()

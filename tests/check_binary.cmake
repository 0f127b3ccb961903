# Checks that the shipped program is built as it should be.
#   Linux:   static PIE (no INTERP, no NEEDED), full RELRO, non-executable
#            stack, stack protector, fortified calls
#   Windows: PE32+ console program, ASLR (high entropy), NX, no DLL but
#            KERNEL32.dll and msvcrt.dll, a manifest, and version information
#            that holds VERSION
# PROGRAM, and READELF (Linux) or OBJDUMP and VERSION (Windows).

set(failures)
function(expect haystack pattern why)
    if(NOT haystack MATCHES "${pattern}")
        set(failures ${failures} "${why}" PARENT_SCOPE)
    endif()
endfunction()

# The hex of a text as UTF-16LE, as Windows resources hold it.
function(utf16 text out)
    string(HEX "${text}" hex)
    string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
    set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# The hex of each 16-bit number as a little-endian word, one after another.
function(words out)
    set(hex)
    foreach(number IN LISTS ARGN)
        math(EXPR word "0x10000 + ${number} % 256 * 256 + ${number} / 256" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${word}" 3 4 word)
        string(APPEND hex "${word}")
    endforeach()
    set(${out} "${hex}" PARENT_SCOPE)
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

    file(READ "${PROGRAM}" image HEX)
    string(HEX "level=\"asInvoker\"" as_invoker)
    expect("${image}" "${as_invoker}" "no manifest asking for the invoker's rights")
    # VS_FIXEDFILEINFO: its signature and layout version, then the file
    # version as two double words, major.minor and patch.0, each the low word
    # first.
    string(REPLACE "." ";" parts "${VERSION}")
    list(GET parts 0 major)
    list(GET parts 1 minor)
    list(GET parts 2 patch)
    words(version ${minor} ${major} 0 ${patch})
    expect("${image}" "bd04effe00000100${version}" "no file version ${VERSION}.0")
    foreach(key IN ITEMS FileVersion ProductVersion)
        utf16("${key}" key_hex)
        utf16("${VERSION}" version_hex)
        expect("${image}" "${key_hex}0000(0000)?${version_hex}0000" "no ${key} \"${VERSION}\"")
    endforeach()
else()
    execute_process(COMMAND "${READELF}" --wide --dynamic --program-headers --syms "${PROGRAM}"
                    OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    expect("${headers}" "FLAGS_1\\)[^\n]*PIE" "not PIE")
    if(headers MATCHES "INTERP|\\(NEEDED\\)")
        list(APPEND failures "not static: it needs a loader or a shared library")
    endif()
    expect("${headers}" "GNU_RELRO" "no RELRO")
    expect("${headers}" "FLAGS\\)[^\n]*BIND_NOW" "RELRO is not full (no BIND_NOW)")
    expect("${headers}" "GNU_STACK[^\n]* RW " "executable stack")
    expect("${headers}" "__stack_chk_fail" "no stack protector")
    expect("${headers}" "__[a-z]+_chk\n" "no fortified calls")
endif()

if(failures)
    list(JOIN failures "; " report)
    message(FATAL_ERROR "${PROGRAM}: ${report}")
endif()

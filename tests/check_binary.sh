#!/usr/bin/env bash
# Checks that the shipped program is built as the build asked, by its type:
#   ELF: static (no loader, no shared library); position-independent with
#        every relocation done at start (BIND_NOW) if PIE=1, else at a fixed
#        address with nothing to relocate; RELRO; a stack that is not
#        executable; the stack protector and fortified calls if
#        STACK_PROTECTOR=1; if MULTIVERSION=1, each build of the sort with
#        the loops in vector code of its own, AVX2 in the x86-64-v3 one
#   PE:  a console program with ASLR (high entropy) and NX, importing no DLL
#        but KERNEL32.dll and msvcrt.dll, with a manifest that asks for the
#        invoker's rights, and VERSION as its file and product version
#   WebAssembly: importing no call but the six WASI calls that the page's
#        shim, web/wasi.mjs, gives it
#   check_binary.sh PROGRAM, with READELF, OBJDUMP, WINDRES and VERSION,
#   PIE, STACK_PROTECTOR and MULTIVERSION in the environment
set -u
program=$1
failures=()
# expect TEXT PATTERN WHY: WHY is a failure unless a line of TEXT matches.
expect() { grep -Eq -- "$2" <<<"$1" || failures+=("$3"); }

case $(head -c 4 "$program" | od -An -tx1 | tr -d ' \n') in
7f454c46)
    headers=$("$READELF" --wide --file-header --dynamic --program-headers --syms "$program") || exit
    if grep -Eq 'INTERP|\(NEEDED\)' <<<"$headers"; then
        failures+=("not static: it needs a loader or a shared library")
    fi
    if ((PIE)); then
        expect "$headers" 'FLAGS_1\).*PIE' "not PIE"
        expect "$headers" 'FLAGS\).*BIND_NOW' "RELRO is not full (no BIND_NOW)"
    else
        expect "$headers" 'Type: +EXEC' "not an executable at a fixed address"
        expect "$headers" 'There is no dynamic section' "a dynamic section in a fixed executable"
    fi
    expect "$headers" 'GNU_RELRO' "no RELRO"
    expect "$headers" 'GNU_STACK.* RW ' "executable stack"
    if ((STACK_PROTECTOR)); then
        expect "$headers" '__stack_chk_fail' "no stack protector"
        expect "$headers" '__[a-z]+_chk$' "no fortified calls"
    fi
    if ((MULTIVERSION)); then
        for build in arch_x86_64_v3:ymm default:xmm; do
            symbol=$(grep -Eo "_Z9bead_sort[^ ]*\\.${build%:*}$" <<<"$headers" | head -n 1)
            code=$("$OBJDUMP" --disassemble="$symbol" "$program")
            expect "$code" "%${build#*:}" "the sort built for ${build%:*} is not in vector code"
        done
    fi
    ;;
4d5a*)
    headers=$("$OBJDUMP" -p "$program") || exit
    expect "$headers" 'file format pei-x86-64' "not a PE32+ x86-64 image"
    expect "$headers" 'Subsystem[[:space:]]+00000003' "not a console program"
    expect "$headers" 'HIGH_ENTROPY_VA' "no high-entropy ASLR"
    expect "$headers" 'DYNAMIC_BASE' "no ASLR"
    expect "$headers" 'NX_COMPAT' "no NX"
    imports=$(sed -n 's/.*DLL Name: //p' <<<"$headers" | sort | paste -sd ' ')
    [[ $imports == "KERNEL32.dll msvcrt.dll" ]] || failures+=("imports $imports")
    # The resources as windres reads them back.
    resources=$("$WINDRES" --input "$program" --input-format coff --output-format rc) || exit
    expect "$resources" 'requestedExecutionLevel level=""asInvoker""' "no manifest asking for the invoker's rights"
    expect "$resources" "FILEVERSION ${VERSION//./, }, 0\$" "no file version $VERSION.0"
    for key in FileVersion ProductVersion; do
        expect "$resources" "VALUE \"$key\", \"${VERSION//./\\.}\"" "no $key \"$VERSION\""
    done
    ;;
0061736d)
    imports=$(wasm-dis "$program" | sed -n 's/^ (import "\([^"]*\)" "\([^"]*\)".*/\1.\2/p' | sort | paste -sd ' ')
    shim=$(printf 'wasi_snapshot_preview1.%s ' fd_close fd_fdstat_get fd_read fd_seek fd_write proc_exit)
    [[ $imports == "${shim% }" ]] || failures+=("imports $imports")
    ;;
*)
    failures+=("not a program this test knows")
    ;;
esac

if ((${#failures[@]})); then
    report=$(printf '; %s' "${failures[@]}")
    echo "$program: ${report:2}" >&2
    exit 1
fi

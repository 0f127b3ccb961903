#!/usr/bin/env bash
# Runs a command on a transcript's input and compares what it writes, and its
# exit status, byte for byte with the transcript. Of NAME's files, NAME.in is
# the input, NAME.out the standard output, NAME.err the standard error (it
# exists exactly when the run must fail with status 1), and NAME.args, where
# there is one, the arguments, one a line. A difference is shown as a
# diff -u, with CR made visible.
#   run_transcript.sh NAME COMMAND...
# with, in the environment:
#   CRLF=1           every line break is CR LF (Windows text mode)
#   STDOUT=FILE      standard output goes to FILE (/dev/full), not compared
#   PREFIX_BYTE, PREFIX_LENGTH
#                    the input begins with a word of PREFIX_LENGTH copies of
#                    PREFIX_BYTE, on a line of its own
#   MEMORY_LIMIT=N   the command runs in N bytes of address space
set -u
name=$1
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

input=$name.in
if [[ -v PREFIX_BYTE ]]; then
    input=$scratch/input
    { head -c "$PREFIX_LENGTH" /dev/zero | tr '\0' "$PREFIX_BYTE" && echo && cat "$name.in"; } >"$input"
fi
arguments=()
if [[ -e $name.args ]]; then
    mapfile -t arguments <"$name.args"
fi
launcher=()
if [[ -v MEMORY_LIMIT ]]; then
    launcher=(prlimit "--as=$MEMORY_LIMIT" --)
fi

"${launcher[@]}" "$@" "${arguments[@]}" <"$input" >"${STDOUT:-$scratch/stdout}" 2>"$scratch/stderr"
status=$?

failures=()
expected_status=0
if [[ -e $name.err ]]; then
    expected_status=1
fi
if ((status != expected_status)); then
    failures+=("exit status $status, expected $expected_status")
fi

# compare WHAT EXPECTED PRODUCED: the produced bytes against the hand-written
# file (none is empty), whose line breaks become CR LF in CR LF mode.
compare() {
    local wanted=$scratch/wanted
    : >"$wanted"
    if [[ -e $2 ]]; then
        if ((${CRLF:-0})); then sed -z 's/\n/\r\n/g' "$2"; else cat "$2"; fi >"$wanted"
    fi
    if ! cmp -s "$wanted" "$3"; then
        diff -u --label "$2" --label "$1" <(sed 's/\r/\\r/g' "$wanted") <(sed 's/\r/\\r/g' "$3")
        failures+=("$1 differs (diff above)")
    fi
}
if [[ ! -v STDOUT ]]; then
    compare "standard output" "$name.out" "$scratch/stdout"
fi
compare "standard error" "$name.err" "$scratch/stderr"

if ((${#failures[@]})); then
    report=$(printf '; %s' "${failures[@]}")
    echo "${name##*/}: ${report:2}" >&2
    exit 1
fi

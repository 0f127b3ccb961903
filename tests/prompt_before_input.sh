#!/usr/bin/env bash
# The first prompt reaches a pipe before the program waits for its value: the
# input is written only once the prompt has been read. A prompt held back in
# a buffer fails the test after five seconds instead of hanging it.
#   prompt_before_input.sh [EMULATOR...] PROGRAM
set -u
coproc beadsort { exec "$@"; }
# bash forgets a coprocess's names once it has ended.
pid=$beadsort_PID output=${beadsort[0]} input=${beadsort[1]}
if ! IFS= read -r -d ')' -t 5 -u "$output" _; then
    echo "no prompt within 5 s while the program waits for its first value" >&2
    kill "$pid"
    exit 1
fi
echo 7 3 50 0 12 3 9 1 44 3 >&"$input"
cat <&"$output" >/dev/null
wait "$pid"

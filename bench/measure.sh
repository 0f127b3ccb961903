#!/usr/bin/env bash
# Measures the README's two performance figures in one run: the bead sort
# against std::sort on the same inputs, and the instructions of a whole run
# of the program (the road transcript) against those of /bin/true.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/default

cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

"$build/beadsort_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
    --benchmark_format=csv 2>/dev/null |
    awk -F, '/_median"/ { gsub(/"/, "", $1); sub(/_median/, "", $1); ns[$1] = $3 }
        END { printf "BM_BeadSort %.1f ns, BM_StdSort %.1f ns: %.2f times\n",
                     ns["BM_BeadSort"], ns["BM_StdSort"], ns["BM_BeadSort"] / ns["BM_StdSort"] }'

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}
program=$(instructions "$build/beadsort" <tests/transcripts/road.in)
baseline=$(instructions /bin/true </dev/null)
awk -v p="$program" -v b="$baseline" \
    'BEGIN { printf "beadsort %d instructions, /bin/true %d: %.2f times\n", p, b, p / b }'

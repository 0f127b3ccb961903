#!/usr/bin/env bash
# Measures the figures of doc/performance.md: the bead sort against std::sort
# on the same inputs, over several runs with the two interleaved at random,
# and the instructions of a whole run of the program (the example session)
# against those of /bin/true.
#   RUNS=N      the number of runs (default 5)
#   BASELINE=1  measure the baseline x86-64 build of the sort alone
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-5}
build=build/bench
configure=(--preset bench)
if [[ ${BASELINE:-} == 1 ]]; then
    build=build/bench-baseline
    configure+=(-B "$build" -DBEADSORT_MULTIVERSION=OFF)
fi

fail() {
    echo "measure.sh: $*" >&2
    exit 1
}
command -v valgrind >/dev/null || fail "valgrind is missing: sudo apt-get install valgrind"
log=$(mktemp)
trap 'rm -f "$log" "$log.csv"' EXIT
if ! { cmake "${configure[@]}" && cmake --build "$build"; } >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    fail "the benchmark did not build; it needs libbenchmark-dev: sudo apt-get install libbenchmark-dev"
fi

echo "CPU: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
ratios=()
for run in $(seq "$runs"); do
    "$build/beadsort_bench" --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true --benchmark_format=csv >"$log.csv" 2>"$log" ||
        fail "the benchmark failed: $(cat "$log")"
    line=$(awk -F, -v run="$run" '/_median"/ { gsub(/"/, "", $1); sub(/_median/, "", $1); ns[$1] = $3 }
        END { printf "run %d: BM_BeadSort %.1f ns, BM_StdSort %.1f ns: %.2f\n",
                     run, ns["BM_BeadSort"], ns["BM_StdSort"], ns["BM_BeadSort"] / ns["BM_StdSort"] }' "$log.csv")
    echo "$line times"
    ratios+=("${line##*: }")
done
sed -n 's/^bead_sort build: /the CPU ran the bead sort built for /p' "$log"
printf '%s\n' "${ratios[@]}" | sort -n | awk '{ r[NR] = $1 }
    END { printf "median %.2f times std::sort over %d runs (range %.2f to %.2f)\n",
                 NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2, NR, r[1], r[NR] }'

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}
program=$(instructions "$build/beadsort" <tests/transcripts/example-session.in)
baseline=$(instructions /bin/true </dev/null)
awk -v p="$program" -v b="$baseline" \
    'BEGIN { printf "a whole run: beadsort %d instructions, /bin/true %d: %.2f times\n", p, b, p / b }'

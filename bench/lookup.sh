#!/usr/bin/env bash
# bench/lookup.sh: bytes per second of the settings lookup over a large file
# (Google Benchmark), and instructions per byte (valgrind's callgrind, which
# counts instructions and so gives the same figure on any machine load).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
bench=build/bench/bench/lookup_bench
work=build/bench-lookup
mkdir -p "$work"

(cd "$work" && "../../$bench" --benchmark_min_time=2)

"$bench" --make "$work/lookup.inf" 4
bytes=$(stat -c %s "$work/lookup.inf")
valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" \
  "$bench" --once "$work/lookup.inf" >/dev/null 2>"$work/callgrind.log"
instructions=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/callgrind.log")
awk -v i="$instructions" -v b="$bytes" \
  'BEGIN { printf "callgrind: %d instructions for %d bytes: %.1f instructions per byte\n", i, b, i / b }'

#!/usr/bin/env bash
# `make bench`: a Release build of its own with the benchmarks switched on,
# their helpers' tests, then every benchmark beside its baseline. Prints one
# table and writes it to bench/results/ (latest.csv, a dated copy, latest.md).
#
# The machine's load skews every figure: run it when nothing else compiles.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BENCH_BUILD:-build-bench}
jobs=${JOBS:-$(nproc)}

./scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BENCH=ON >/dev/null
cmake --build "$build" -j "$jobs" --target quorvane_bench bench_support_test bench_probe_test bench_tools_test
(cd "$build" && ctest -L bench --output-on-failure)

echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bin/quorvane_bench" --results="$PWD/bench/results" "$@"

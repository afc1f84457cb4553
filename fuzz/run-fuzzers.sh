#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build folder for a bounded time.
#   fuzz/run-fuzzers.sh BUILD_FOLDER [SECONDS_PER_TARGET] [TARGET...]
# Each target starts from its seeds in fuzz/corpus/<name> and keeps what it
# learns in BUILD_FOLDER/corpus/<name>; a crashing, hanging or memory-hungry
# input is saved in BUILD_FOLDER/artifacts and fails the run. The last lines
# give each target's executions, in all and a second.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: run-fuzzers.sh BUILD_FOLDER [SECONDS] [TARGET...]}"
seconds="${2:-60}"
shift $(( $# >= 2 ? 2 : 1 ))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(field_numbers earth_date stardate reset_repetition catalogue settings data_list data_list_window)
fi

# A leak inside the system's font and input-method libraries is not ours.
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

# Per target: longest input, memory ceiling (MB), seconds one input may take.
limits() {
  case "$1" in
    field_numbers|earth_date|stardate) echo "1024 512 2" ;;
    reset_repetition) echo "16 512 2" ;;
    catalogue) echo "65536 1024 5" ;;
    settings) echo "4096 1536 10" ;;
    data_list) echo "65536 1024 5" ;;
    data_list_window) echo "16384 1536 10" ;;
    *) echo "4096 1024 5" ;;
  esac
}

# The window target starts from the seeds of the file it reads.
seeds() {
  case "$1" in
    data_list_window) echo "$here/corpus/data_list" ;;
    *) echo "$here/corpus/$1" ;;
  esac
}

status=0
summary=()
for name in "${targets[@]}"; do
  bin="$build/fuzz/fuzz_$name"
  if [ ! -x "$bin" ]; then
    echo "run-fuzzers: $bin is missing" >&2
    status=1
    continue
  fi
  read -r max_len rss timeout < <(limits "$name")
  work="$build/corpus/$name"
  artifacts="$build/artifacts/$name/"
  mkdir -p "$work" "$artifacts"
  log="$build/fuzz-$name.log"
  echo "== fuzz_$name: ${seconds}s, inputs up to $max_len bytes, ${rss} MB, ${timeout}s an input"
  "$bin" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb="$rss" \
         -malloc_limit_mb="$rss" -timeout="$timeout" -print_final_stats=1 \
         -artifact_prefix="$artifacts" "$work" "$(seeds "$name")" >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  if [ $rc -ne 0 ]; then
    status=1
    echo "fuzz_$name FAILED (exit $rc); the input is in $artifacts, the log in $log:" >&2
    grep -m1 -A30 -E 'ERROR:|Property broken|runtime error|deadly signal' "$log" >&2
    summary+=("fuzz_$name: FAILED after ${execs:-?} executions")
  else
    summary+=("fuzz_$name: ${execs:-?} executions, ${rate:-?} a second, no failure")
  fi
done
printf '%s\n' "${summary[@]}"
exit $status

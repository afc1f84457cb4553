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

# The Wine row: quorvane.exe and the baselines, built against the Qt for
# Windows kit (`make windows` builds it), on an Xvfb display of their own, in
# a Wine prefix of the build's own. Without the kit the row is skipped.
win_build=${BENCH_WINDOWS_BUILD:-build-bench-windows}
kit=$(./scripts/build-qt-windows.sh --print)
wine_args=()
if [ ! -f "$kit/.quorvane-kit-complete" ]; then
  wine_args=(--wine-skipped="skipped, no Qt for Windows kit at $kit (make windows builds it)")
elif ! command -v wine >/dev/null || ! command -v Xvfb >/dev/null; then
  wine_args=(--wine-skipped="skipped, wine or Xvfb is not installed")
else
  cmake -S . -B "$win_build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DQUORVANE_GUI=ON -DQUORVANE_BENCH=ON -DQUORVANE_BUILD_TESTS=OFF \
    -DCMAKE_PREFIX_PATH="$kit" -DQT_HOST_PATH=/usr >/dev/null
  cmake --build "$win_build" -j "$jobs" \
    --target quorvane bench_bare_window bench_caption_window quorvane_startup_probe

  export WINEPREFIX="$PWD/$win_build/wine" WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # The kit's DLLs and the MinGW runtime they were built with.
  runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
  winpthread=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
  export WINEPATH="$kit/bin;$runtime;$winpthread"
  mkdir -p "$WINEPREFIX"

  # Xvfb picks a free display and says which.
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
  }
  trap cleanup EXIT
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  if [ ! -s "$display_file" ]; then
    echo "bench: Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -n1 "$display_file")"
  # One server for all runs, so no run pays for starting it; the prefix is
  # made once and kept in the build folder.
  wineserver -p </dev/null >/dev/null 2>&1
  echo "Wine prefix $WINEPREFIX (made on first use; that takes minutes)"
  wineboot </dev/null >/dev/null 2>&1
  # Wine takes the display language from the locale: a Japanese one, made in
  # the build folder for the Wine runs alone (glibc's LOCPATH), leaving the
  # system's alone.
  mkdir -p "$win_build/locales"
  [ -d "$win_build/locales/ja_JP.UTF-8" ] || localedef -i ja_JP -f UTF-8 "$win_build/locales/ja_JP.UTF-8" 2>/dev/null || true
  export QUORVANE_BENCH_WINE_LOCPATH="$PWD/$win_build/locales"
  wine_args=(--wine-build="$PWD/$win_build" --wine-kit="$kit")
fi

echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bin/quorvane_bench" --results="$PWD/bench/results" "${wine_args[@]}" "$@"

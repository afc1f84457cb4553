#!/usr/bin/env bash
# Runs the Windows build's tests under Wine through CTest, in a Wine prefix
# of the build's own so that every run starts from a clean machine.
#   scripts/windows-test.sh [BUILD_DIR]
set -euo pipefail
build=$(realpath "${1:-build-windows}")
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns a program's arguments from the Unix locale's encoding: under the
# C locale a file name outside ASCII would not reach the program intact.
export LC_ALL=C.UTF-8
mkdir -p "$WINEPREFIX"

# One server for the whole run spares every test Wine's start-up. Wine's own
# services start with the first program and outlive it; started here, they
# cannot hold a test's output pipe open and make CTest wait for ever.
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot </dev/null >/dev/null 2>&1

cd "$build"
ctest --output-on-failure -j "${JOBS:-2}" --timeout 300

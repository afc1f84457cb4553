#!/usr/bin/env bash
# Takes a screenshot of one of the program's windows on a private virtual
# screen (Xvfb at 96 dpi), so pictures come out the same on every machine.
#
#   scripts/screenshot.sh [-t TITLE] [-w SECONDS] OUTPUT.png [COMMAND [ARGS...]]
#
#   -t TITLE    window title to wait for and capture (default: Quorvane)
#   -w SECONDS  settle time after the window appears (default: 1)
#   COMMAND     what to start (default: build/bin/quorvane, or $QUORVANE_PROGRAM)
#
# Example: scripts/screenshot.sh docs/screenshots/main-window.png
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/private-display.sh"
title="Quorvane"
settle=1

usage() { sed -n '5,10s/^# \{0,1\}//p' "$0" >&2; exit 2; }

while getopts "t:w:h" opt; do
  case "$opt" in
    t) title="$OPTARG" ;;
    w) settle="$OPTARG" ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
[ $# -ge 1 ] || usage
output="$1"
shift
if [ $# -eq 0 ]; then
  set -- "${QUORVANE_PROGRAM:-$root/build/bin/quorvane}"
fi

for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x "$1" ] || command -v "$1" >/dev/null || { echo "screenshot: cannot run $1 (build it first)" >&2; exit 1; }


xvfb_pid=""
program_pid=""
settings_dir="$(mktemp -d)"
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$settings_dir"
}
trap cleanup EXIT

start_private_display
display=${DISPLAY#:}

# A fresh settings folder: the picture shows the windows as first started,
# whatever the user running this has saved.
DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$settings_dir" "$@" >/dev/null 2>&1 &
program_pid=$!

window=""
for _ in $(seq 100); do
  if info="$(xwininfo -display ":$display" -name "$title" 2>/dev/null)" &&
     grep -q 'Map State: IsViewable' <<<"$info"; then
    window="$(awk '/Window id:/ {print $4; exit}' <<<"$info")"
    break
  fi
  kill -0 "$program_pid" 2>/dev/null || { echo "screenshot: $1 exited early" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: no window titled \"$title\" appeared" >&2; exit 1; }

sleep "$settle"
mkdir -p "$(dirname "$output")"
import -display ":$display" -window "$window" "$output"
echo "screenshot: wrote $output"

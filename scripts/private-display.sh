# Sourced by the scripts that show windows: a virtual screen of their own at
# 96 dpi, on a display number the server picks itself, so several can run at
# once. Sets DISPLAY and xvfb_pid; the caller kills xvfb_pid when done.
start_private_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$number_file" ]; then
    rm -f "$number_file"
    echo "$(basename "$0"): Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
}

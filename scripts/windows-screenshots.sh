#!/usr/bin/env bash
# Screenshots of the Windows program as a user meets it: the unpacked ZIP run
# under Wine in a fresh Wine prefix, on a private virtual screen at 96 dpi,
# with the Windows platform plug-in and the native style.
#   scripts/windows-screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
# writes windows-main-and-list.png, windows-editor.png and windows-about.png
# with the display language Japanese, and the same names ending in -en and
# -de with it English and German.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/private-display.sh"
build=$(realpath "${1:-build-windows}")
out=$(realpath -m "${2:-$root/docs/screenshots}")
zip=$(ls "$build"/quorvane-*-win64.zip 2>/dev/null | head -1)
[ -n "$zip" ] || { echo "windows-screenshots: no ZIP in $build (make windows-package)" >&2; exit 1; }
for tool in Xvfb xwininfo xdotool import wine; do
  command -v "$tool" >/dev/null || { echo "windows-screenshots: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
work=$(mktemp -d)
export WINEPREFIX="$work/prefix"
xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_private_display

mkdir -p "$WINEPREFIX"
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1

# A Japanese Windows shows its UI in a Gothic face (MS UI Gothic, Meiryo UI,
# Yu Gothic UI); Wine has none of them, so they and the Western UI faces are
# pointed at the installed CJK sans face.
cjk="Noto Sans CJK JP"
[ -n "$(fc-list "$cjk")" ] || { echo "windows-screenshots: the font $cjk is missing (scripts/install-deps.sh)" >&2; exit 1; }
for face in "MS UI Gothic" "MS Gothic" "MS PGothic" "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "Meiryo" "Meiryo UI" \
            "Yu Gothic" "Yu Gothic UI" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Arial"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "$cjk" /f </dev/null >/dev/null 2>&1
done
wineserver -k 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1

unpacked="$WINEPREFIX/drive_c/Downloads"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
cd "$unpacked"/quorvane-*-win64

# The X window whose name matches $1, other than those in $2, once it is on
# the screen. Wine gives X only the Latin-1 part of a caption.
wait_window() {
  local id=""
  for _ in $(seq "${tries:-200}"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vxF -e "${2:-none}" | head -1) &&
      [ -n "$id" ] && break
    sleep 0.1
  done
  if [ -z "$id" ]; then
    # A failure capture is evidence for the one who runs this, never a picture
    # for the documentation folder.
    local capture
    capture=$(mktemp --tmpdir windows-screenshots-failed.XXXXXX.png)
    import -window root "$capture"
    echo "windows-screenshots: no window named \"$1\"; the screen is in $capture" >&2
    exit 1
  fi
  sleep 1.5
  echo "$id"
}
# Clicks a point of the main window given in twips of its design; the
# window may have scaled its design to fit the font. With no window manager
# here the X window is the client area.
click_design() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^WIDTH=')"
  xdotool mousemove --window "$1" $(($2 * WIDTH / 5550)) $(($3 * WIDTH / 5550)) click 1
}
grab() { import -window "$1" "$out/$2"; echo "windows-screenshots: wrote $out/$2"; }

# Wine takes the display language from the locale, so each face's locale is
# made in a folder of this run's own (glibc's LOCPATH), leaving the system's
# alone.
mkdir -p "$work/locales" "$out"
for locale in ja_JP en_US de_DE; do
  localedef -i "$locale" -f UTF-8 "$work/locales/$locale.UTF-8" 2>/dev/null ||
    [ -d "$work/locales/$locale.UTF-8" ] ||
    { echo "windows-screenshots: could not make the locale $locale.UTF-8" >&2; exit 1; }
done
export LOCPATH="$work/locales"

pictures() {
  wine quorvane.exe </dev/null >/dev/null 2>&1 &
  main=$(wait_window "^Quorvane$")

  # The event list under the main window: the crossed-book button.
  click_design "$main" 3427 2107
  list=$(wait_window "StarTrek")
  eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/M_/')"
  eval "$(xdotool getwindowgeometry --shell "$list" | sed 's/^/L_/')"
  left=$((M_X < L_X ? M_X : L_X)) top=$((M_Y < L_Y ? M_Y : L_Y))
  right=$(( (M_X + M_WIDTH) > (L_X + L_WIDTH) ? M_X + M_WIDTH : L_X + L_WIDTH ))
  bottom=$(( (M_Y + M_HEIGHT) > (L_Y + L_HEIGHT) ? M_Y + M_HEIGHT : L_Y + L_HEIGHT ))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" "$out/windows-main-and-list$suffix.png"
  echo "windows-screenshots: wrote $out/windows-main-and-list$suffix.png"

  click_design "$main" 4267 2107
  about=$(wait_window "Quorvane " "$main")
  grab "$about" windows-about$suffix.png
  xdotool key --window "$about" Escape
  sleep 1

  # Back from a modal window, Wine may take the first click as the one that
  # activates the main window.
  editor=""
  for _ in 1 2 3; do
    click_design "$main" 3067 2107
    editor=$(tries=50 wait_window "StarTrek" "$list" 2>/dev/null) && break
  done
  [ -n "$editor" ] || editor=$(wait_window "StarTrek" "$list")
  grab "$editor" windows-editor$suffix.png
}

for face in ja_JP en_US de_DE; do
  if [ "$face" = ja_JP ]; then suffix=""; else suffix="-${face%_*}"; fi
  export LC_ALL=$face.UTF-8
  wineserver -k 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
  pictures
done

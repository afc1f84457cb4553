#!/usr/bin/env bash
# Checks the Windows downloads as a user on a bare Windows would meet them,
# under Wine, each in a fresh Wine prefix with nothing on WINEPATH:
#   - the ZIP, unpacked: both programs run and the window shows;
#   - the installer, silent: the program lands in Program Files with its
#     Start-menu entry and its entry among the installed programs, and starts;
#     the silent uninstall removes all of that and leaves the user's settings
#     and catalogue copy alone.
#   packaging/check-windows-package.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/../scripts/private-display.sh"
build=$(realpath "${1:-build-windows}")
# The vendor and product that name the settings, as the build defines them.
cmake_value() { sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$(dirname "$0")/../CMakeLists.txt"; }
vendor=$(cmake_value QUORVANE_VENDOR)
product=$(cmake_value QUORVANE_CAPTION)
[ -n "$vendor" ] && [ -n "$product" ] || { echo "check-windows-package: no vendor or product in CMakeLists.txt" >&2; exit 1; }
zip=$(ls "$build"/quorvane-*-win64.zip 2>/dev/null | head -1)
[ -n "$zip" ] || { echo "check-windows-package: no $build/quorvane-VERSION-win64.zip (make windows-package)" >&2; exit 1; }
version=$(basename "$zip" -win64.zip)
version=${version#quorvane-}
setup="$build/quorvane-$version-win64-setup.exe"
for f in "$zip" "$setup"; do
  [ -f "$f" ] || { echo "check-windows-package: $f is missing (make windows-package)" >&2; exit 1; }
done

for tool in wine wineserver winepath Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "check-windows-package: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

fail() { echo "check-windows-package: FAIL: $*" >&2; exit 1; }
pass() { echo "check-windows-package: ok: $*"; }

unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
work=$(mktemp -d "$build/package-check.XXXXXX")
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  WINEPREFIX="$work/zip" wineserver -k 2>/dev/null
  WINEPREFIX="$work/setup" wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

start_private_display

new_prefix() {
  export WINEPREFIX="$1"
  mkdir -p "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot </dev/null >/dev/null 2>&1
}

# Starts the window program and waits for its main window on the screen.
window_shows() {
  local program=$1
  wine "$program" </dev/null >/dev/null 2>&1 &
  local pid=$! shown=""
  for _ in $(seq 300); do
    # Exactly the main window's caption: a message box that Qt could not
    # start is captioned "quorvane".
    if xwininfo -root -tree 2>/dev/null | grep -qF '"Quorvane": ("quorvane.exe"'; then shown=yes; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  wineserver -p </dev/null >/dev/null 2>&1
  [ -n "$shown" ]
}

# --- The ZIP, unpacked into the Windows drive: a path of the build machine
# would not resolve from there.
new_prefix "$work/zip"
unpacked="$WINEPREFIX/drive_c/Downloads"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
folder="$unpacked/quorvane-$version-win64"
[ -f "$folder/quorvane.exe" ] || fail "the ZIP has no quorvane-$version-win64/quorvane.exe"
# Qt's own texts for the faces that take them, where qt.conf sends Qt for
# them, every face's read-me, and the notices.
for file in translations/qtbase_ja.qm translations/qtbase_de.qm ReadMe.TXT ReadMe_en.TXT ReadMe_de.TXT copyright.txt; do
  [ -s "$folder/$file" ] || fail "the ZIP has no quorvane-$version-win64/$file"
done
# A Windows user never reads a Linux path as theirs.
for file in ReadMe.TXT ReadMe_en.TXT ReadMe_de.TXT; do
  if grep -qE '~/\.local|~/\.config|/etc/xdg|gnome-system-monitor' "$folder/$file"; then
    fail "quorvane-$version-win64/$file gives Linux paths"
  fi
done
grep -qx 'Translations = translations' "$folder/qt.conf" || fail "qt.conf does not name the translations folder"
cd "$folder"
output=$(wine quorvane-cli.exe 41153.7 </dev/null 2>&1) || fail "quorvane-cli.exe failed: $output"
[[ "$output" == *2364* ]] || fail "quorvane-cli.exe 41153.7 printed: $output"
output=$(wine quorvane.exe --check-install </dev/null 2>&1) || fail "quorvane.exe --check-install: $output"
pass "unpacked ZIP: quorvane-cli.exe converts, quorvane.exe finds its data files"
window_shows quorvane.exe || fail "the unpacked quorvane.exe showed no main window"
pass "unpacked ZIP: the main window shows"

# --- The installer.
new_prefix "$work/setup"
cd "$WINEPREFIX/drive_c"
# The installer runs to its end before wine returns.
wine "$setup" /S </dev/null >/dev/null 2>&1 || fail "the silent install failed"
installed="$WINEPREFIX/drive_c/Program Files/Quorvane"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvane/Quorvane.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane'
for f in quorvane.exe quorvane-cli.exe StarTrek.vqd ReadMe.TXT Qt6Widgets.dll platforms/qwindows.dll Uninstall.exe; do
  [ -f "$installed/$f" ] || fail "the installer did not put $f in Program Files\\Quorvane"
done
[ -f "$shortcut" ] || fail "no Start-menu entry at ${shortcut#"$WINEPREFIX/"}"
entry=$(wine reg query "$uninstall_key" </dev/null 2>/dev/null | tr -d '\r') || fail "no entry among the installed programs"
for field in "DisplayName.*Quorvane" "DisplayVersion.*$version" "Publisher.*$vendor" \
             'DisplayIcon.*quorvane\.exe' 'UninstallString.*Uninstall\.exe'; do
  grep -q "$field" <<<"$entry" || fail "the installed-programs entry lacks $field: $entry"
done
pass "silent install: Program Files, Start menu, installed-programs entry"
(cd "$installed" && wine quorvane.exe --check-install </dev/null >/dev/null 2>&1) ||
  fail "the installed quorvane.exe does not find its data files"
window_shows "$installed/quorvane.exe" || fail "the installed quorvane.exe showed no main window"
pass "silent install: the installed program starts"

# What the user made of it: settings and the catalogue copy survive.
settings_key="HKCU\\Software\\$vendor\\$product\\Option"
wine reg add "$settings_key" /v ResetNum /t REG_SZ /d '@Variant(x)' /f </dev/null >/dev/null 2>&1
appdata=$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
copy_dir=$(winepath -u "$appdata\\$vendor\\$product" 2>/dev/null)
mkdir -p "$copy_dir"
cp "$installed/StarTrek.vqd" "$copy_dir/StarTrek.vqd"
printf '"Edited","by the user",41153.7,#NULL#\r\n' >>"$copy_dir/StarTrek.vqd"
cp "$copy_dir/StarTrek.vqd" "$work/catalogue-copy"

# The uninstaller runs from a copy of itself in the temporary folder and
# returns at once: wait for that copy to have taken the program folder away
# and ended.
wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstall failed"
for _ in $(seq 600); do
  [ -e "$installed" ] || pgrep -f 'Au_\.exe' >/dev/null || break
  sleep 0.1
done
[ ! -e "$installed/quorvane.exe" ] || fail "the uninstall left quorvane.exe"
[ ! -e "$installed" ] || fail "the uninstall left $(ls -A "$installed" | tr '\n' ' ')in Program Files\\Quorvane"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start-menu entry"
if wine reg query "$uninstall_key" </dev/null >/dev/null 2>&1; then fail "the uninstall left the installed-programs entry"; fi
kept=$(wine reg query "$settings_key" /v ResetNum </dev/null 2>/dev/null | tr -d '\r')
grep -q 'REG_SZ *@Variant(x)$' <<<"$kept" || fail "the uninstall touched the user's settings: $kept"
cmp -s "$copy_dir/StarTrek.vqd" "$work/catalogue-copy" ||
  fail "the uninstall touched the user's catalogue copy"
pass "silent uninstall: program, shortcut and entry gone; settings and catalogue copy kept"

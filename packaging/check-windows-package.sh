#!/usr/bin/env bash
# Checks the Windows downloads as a user on a bare Windows would meet them,
# under Wine, each in a fresh Wine prefix with nothing on WINEPATH:
#   - the ZIP, unpacked: both programs run and the window shows;
#   - the installer, silent, once per mode on a prefix of its own: for the
#     current user (/CurrentUser) the program lands in the user's own programs
#     folder with the user's Start-menu entry and installed-programs entry and
#     nothing for all users; for all users (/AllUsers) in Program Files with
#     the all-users entries and nothing for the user. The program starts; an
#     installation over one whose catalogue the user edited keeps the edit as
#     the user's copy; each mode's silent uninstall removes what that mode
#     installed, leaves the other mode's installation beside it whole, and
#     leaves the user's settings and catalogue copy alone.
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
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  # A server still shutting down writes its registry into a removed prefix.
  for prefix in "$work"/*/; do
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" timeout 30 wineserver -w 2>/dev/null || true
  done
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
# Every library the folder carries is under a notice that ships beside it.
noticed=$(sed -n 's/^Files: //p' "$folder/copyright.txt" | tr -d '\r' | tr ' ' '\n')
for dll in $(cd "$folder" && find . -name '*.dll' | sed 's|^\./||'); do
  grep -qxF -e "$dll" -e "${dll%%/*}/*" <<<"$noticed" ||
    fail "quorvane-$version-win64/copyright.txt names no notice for $dll"
done
for notice in $(grep -oE 'licenses/[A-Za-z0-9.-]+\.txt' "$folder/copyright.txt" | sort -u); do
  [ -s "$folder/$notice" ] || fail "the ZIP has no quorvane-$version-win64/$notice, which copyright.txt names"
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

# --- The installer, in each mode.
settings_key="HKCU\\Software\\$vendor\\$product\\Option"

# A Windows path as a path under drive_c: winepath goes through
# dosdevices/c:, which Windows programs cannot be given back.
unix_path() { realpath -m "$(winepath -u "$1" 2>/dev/null)"; }

# Sets the places of a mode in the current prefix: installed (the program's
# folder), menu (its Start-menu folder) and entry (its uninstall key).
places() {
  case $1 in
    CurrentUser)
      installed=$(unix_path "$local_appdata\\Programs\\Quorvane")
      menu=$(unix_path "$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Quorvane")
      entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane' ;;
    AllUsers)
      installed="$WINEPREFIX/drive_c/Program Files/Quorvane"
      menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quorvane"
      entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane' ;;
  esac
}

setup_prefix() {
  new_prefix "$1"
  cd "$WINEPREFIX/drive_c"
  local_appdata=$(wine cmd /c echo %LOCALAPPDATA% </dev/null 2>/dev/null | tr -d '\r')
  appdata=$(wine cmd /c echo %APPDATA% </dev/null 2>/dev/null | tr -d '\r')
  user_copy=$(unix_path "$appdata\\$vendor\\$product\\StarTrek.vqd")
}

install_silently() {
  # The installer runs to its end before wine returns.
  wine "$setup" /S "/$1" </dev/null >/dev/null 2>&1 || fail "the silent install /$1 failed"
}

is_installed() {
  local mode=$1 f
  places "$mode"
  for f in quorvane.exe quorvane-cli.exe StarTrek.vqd ReadMe.TXT Qt6Widgets.dll platforms/qwindows.dll Uninstall.exe; do
    [ -f "$installed/$f" ] || fail "$mode: no $f in ${installed#"$WINEPREFIX/"}"
  done
  [ -f "$menu/Quorvane.lnk" ] || fail "$mode: no Start-menu entry at ${menu#"$WINEPREFIX/"}"
  local values
  values=$(wine reg query "$entry" </dev/null 2>/dev/null | tr -d '\r') || fail "$mode: no entry $entry"
  local location
  location=$(awk '$1 == "InstallLocation" { sub(/^ *InstallLocation *REG_SZ */, ""); print }' <<<"$values")
  [ "$(unix_path "$location")" = "$(realpath -m "$installed")" ] ||
    fail "$mode: the entry's InstallLocation is \"$location\", not ${installed#"$WINEPREFIX/"}"
  for field in "DisplayName.*Quorvane" "DisplayVersion.*$version" "Publisher.*$vendor" \
               'DisplayIcon.*quorvane\.exe' 'UninstallString.*Uninstall\.exe'; do
    grep -q "$field" <<<"$values" || fail "$mode: the installed-programs entry lacks $field: $values"
  done
}

is_absent() {
  local mode=$1
  places "$mode"
  [ ! -e "$installed" ] || fail "$mode: ${installed#"$WINEPREFIX/"} holds $(ls -A "$installed" | tr '\n' ' ')"
  [ ! -e "$menu" ] || fail "$mode: the Start-menu folder ${menu#"$WINEPREFIX/"} is there"
  if wine reg query "$entry" </dev/null >/dev/null 2>&1; then fail "$mode: the entry $entry is there"; fi
}

# The uninstaller runs from a copy of itself in the temporary folder and
# returns at once: wait for that copy to end.
uninstall_silently() {
  places "$1"
  wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstall of $1 failed"
  sleep 0.5
  for _ in $(seq 600); do
    pgrep -f 'nsu[^ ]*\.tmp.Un[^ ]*\.exe' >/dev/null || break
    sleep 0.1
  done
}

starts() {
  places "$1"
  (cd "$installed" && wine quorvane.exe --check-install </dev/null >/dev/null 2>&1) ||
    fail "$1: the installed quorvane.exe does not find its data files"
  window_shows "$installed/quorvane.exe" || fail "$1: the installed quorvane.exe showed no main window"
}

# What the user made of it: settings and a catalogue copy.
make_user_data() {
  wine reg add "$settings_key" /v ResetNum /t REG_SZ /d '@Variant(x)' /f </dev/null >/dev/null 2>&1
  if [ ! -f "$user_copy" ]; then
    mkdir -p "$(dirname "$user_copy")"
    cp "$folder/StarTrek.vqd" "$user_copy"
    printf '"Edited","by the user",41153.7,#NULL#\r\n' >>"$user_copy"
  fi
  cp "$user_copy" "$work/catalogue-copy"
}

user_data_kept() {
  local kept
  kept=$(wine reg query "$settings_key" /v ResetNum </dev/null 2>/dev/null | tr -d '\r')
  grep -q 'REG_SZ *@Variant(x)$' <<<"$kept" || fail "$1 touched the user's settings: $kept"
  cmp -s "$user_copy" "$work/catalogue-copy" || fail "$1 touched the user's catalogue copy"
}

# For the current user: nothing for all users, no rights asked.
setup_prefix "$work/current-user"
install_silently CurrentUser
is_installed CurrentUser
is_absent AllUsers
pass "/CurrentUser: the user's programs folder, Start menu and installed-programs entry; nothing for all users"
starts CurrentUser
pass "/CurrentUser: the installed program starts"

# The editor saves the catalogue where the user may write, here the
# program's folder: installing again keeps that edit as the user's copy.
places CurrentUser
cp "$installed/StarTrek.vqd" "$work/edited"
printf '"Saved","in the program folder",41153.7,#NULL#\r\n' >>"$work/edited"
cp "$work/edited" "$installed/StarTrek.vqd"
install_silently CurrentUser
is_installed CurrentUser
cmp -s "$installed/StarTrek.vqd" "$folder/StarTrek.vqd" || fail "installing again did not restore the shipped catalogue"
cmp -s "$user_copy" "$work/edited" || fail "installing again lost the catalogue edited in the program's folder"
pass "/CurrentUser again: the catalogue edited in the program's folder is now the user's copy"

make_user_data
uninstall_silently CurrentUser
is_absent CurrentUser
user_data_kept "the uninstall for the current user"
pass "uninstall for the current user: program, shortcut and entry gone; settings and catalogue copy kept"

# For all users, and for the current user beside it: each uninstall takes
# its own installation only.
setup_prefix "$work/all-users"
install_silently AllUsers
is_installed AllUsers
is_absent CurrentUser
pass "/AllUsers: Program Files, all users' Start menu and installed-programs entry; nothing for the user"
starts AllUsers
pass "/AllUsers: the installed program starts"

install_silently CurrentUser
is_installed CurrentUser
is_installed AllUsers
make_user_data
uninstall_silently AllUsers
is_absent AllUsers
is_installed CurrentUser
user_data_kept "the uninstall for all users"
pass "uninstall for all users: its program, shortcut and entry gone; the current user's installation, settings and catalogue copy kept"
uninstall_silently CurrentUser
is_absent CurrentUser
user_data_kept "the uninstall for the current user"
pass "uninstall for the current user beside all users: gone; settings and catalogue copy kept"

#!/usr/bin/env bash
# Checks a built Quorvane .deb the way a user's machine meets it: apt must be
# able to resolve its dependencies, and the unpacked programs must start and
# find their data. Nothing is installed system-wide; the package is unpacked
# into a scratch folder that is removed afterwards.
#
# Usage: packaging/check-package.sh quorvane_VERSION_ARCH.deb
set -euo pipefail

fail() { echo "package-check: FAILED: $*" >&2; exit 1; }
step() { echo "package-check: $*"; }

[ $# -eq 1 ] || fail "expected exactly one package, got $#: $*"
[ -f "$1" ] || fail "no package at $1"
deb=$(realpath "$1")

for tool in dpkg-deb apt-get desktop-file-validate appstreamcli man file timeout; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (make deps installs it)"
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# --- Control data -----------------------------------------------------------
step "checking the control data of $(basename "$deb")"
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = quorvane ] || fail "package name is '$(field Package)', not quorvane"
version=$(field Version)
depends=$(field Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 fonts-noto-cjk qt6-translations-l10n; do
  grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
step "version $version; depends on: $depends"

# --- Dependencies resolve ---------------------------------------------------
step "asking apt whether the dependencies resolve"
if ! apt-get install --simulate --no-install-recommends "$deb" >"$scratch/apt.log" 2>&1; then
  cat "$scratch/apt.log" >&2
  fail "apt cannot resolve the package's dependencies"
fi
grep -E '^(Inst|Conf) ' "$scratch/apt.log" | sed 's/^/  apt would: /' || true

# --- Contents ---------------------------------------------------------------
step "unpacking into a scratch folder"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

appdir="$root/usr/lib/quorvane"
for path in \
    usr/lib/quorvane/quorvane usr/lib/quorvane/quorvane-cli \
    usr/lib/quorvane/StarTrek.vqd usr/lib/quorvane/ReadMe.TXT usr/lib/quorvane/ReadMe_en.TXT \
    usr/lib/quorvane/ReadMe_de.TXT \
    usr/share/applications/quorvane.desktop \
    usr/share/metainfo/example.ovreksoft.Quorvane.metainfo.xml \
    usr/share/man/man1/quorvane.1.gz usr/share/man/man1/quorvane-cli.1.gz \
    usr/share/doc/quorvane/copyright; do
  [ -f "$root/$path" ] || fail "missing from the package: /$path"
done
for program in quorvane quorvane-cli; do
  link="$root/usr/bin/$program"
  [ -L "$link" ] || fail "/usr/bin/$program is not a link"
  [ "$(realpath "$link")" = "$(realpath "$appdir/$program")" ] ||
    fail "/usr/bin/$program points to $(readlink "$link"), not to /usr/lib/quorvane/$program"
done
for size in 16 32 48 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/quorvane.png"
  [ -f "$icon" ] || fail "missing icon: ${size}x${size}"
  file -b "$icon" | grep -q "PNG image data, $size x $size" ||
    fail "the ${size}x${size} icon is $(file -b "$icon")"
done

step "validating the desktop entry, the AppStream data and the manual pages"
desktop="$root/usr/share/applications/quorvane.desktop"
metainfo="$root/usr/share/metainfo/example.ovreksoft.Quorvane.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata does not validate"
# The validators check each file alone; these check that they fit together.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -L "$root/usr/bin/$exec_name" ] || fail "the desktop entry starts '$exec_name', not in /usr/bin"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon_name.png" ] ||
  fail "the desktop entry's icon '$icon_name' is not installed"
grep -qF '<launchable type="desktop-id">quorvane.desktop</launchable>' "$metainfo" ||
  fail "the AppStream data does not launch quorvane.desktop"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# --- The unpacked programs run ----------------------------------------------
# Started through the links from another folder, as the desktop starts them,
# with a scratch home so no real settings are read or written.
export QT_QPA_PLATFORM=offscreen HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
cd /

step "starting the window program with --check-install"
real_appdir=$(realpath "$appdir")
if ! report=$(timeout 60 "$root/usr/bin/quorvane" --check-install 2>"$scratch/stderr"); then
  echo "$report"; cat "$scratch/stderr" >&2
  fail "quorvane --check-install failed"
fi
echo "$report" | sed 's/^/  /'
for name in ReadMe.TXT StarTrek.vqd; do
  found=no
  while IFS= read -r line; do
    case "$line" in "$name: ok $real_appdir/$name" | "$name: ok $real_appdir/$name ("*) found=yes ;; esac
  done <<<"$report"
  [ "$found" = yes ] || fail "quorvane did not find $name in its own folder"
done

step "running quorvane-cli"
cli="$root/usr/bin/quorvane-cli"
run_cli() {
  local rc=0
  timeout 60 "$cli" "$@" 2>"$scratch/stderr" || rc=$?
  [ "$rc" -eq 0 ] || { cat "$scratch/stderr" >&2; fail "quorvane-cli $* exited with $rc"; }
}
got=$(run_cli --version)
[ "${got##* }" = "$version" ] || fail "quorvane-cli --version says '$got', the package is $version"
got=$(run_cli 2364-02-26)
[ "$got" = "41153.0" ] || fail "quorvane-cli 2364-02-26 gave '$got', not 41153.0"
events=$(run_cli --events)
count=$(awk -F '\t' 'NF == 4' <<<"$events" | wc -l)
[ "$count" -ge 1 ] || fail "quorvane-cli --events listed no events: $events"
step "quorvane-cli lists $count events"

step "passed: $(basename "$deb")"

#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own source of the
# host's Qt, once, into a cache outside every build and source folder, and
# prints the kit's folder on standard output. Later runs reuse the kit: only a
# change of this script or of the host's Qt version builds it again. The
# toolchain file is not part of that: a change to it that matters to Qt is a
# change to this script too.
#   scripts/build-qt-windows.sh            build if needed, print the kit
#   scripts/build-qt-windows.sh --print    print where the kit would be
# Everything else it says goes to standard error.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs=${JOBS:-$(nproc)}

say() { echo "build-qt-windows: $*" >&2; }

# The host's moc, rcc and uic serve the cross build, so the target Qt must be
# exactly the host's version: take the source of the very package installed.
src_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null || true)
if [ -z "$src_version" ]; then
  say "qt6-base-dev-tools is not installed (scripts/install-deps.sh installs it)"
  exit 1
fi
upstream=${src_version%%+*}
upstream=${upstream%%-*}
hash=$(sha256sum <"$0" | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/quorvane
kit="$cache/qt-$upstream-mingw64-$hash"

if [ "${1:-}" = "--print" ]; then
  echo "$kit"
  exit 0
fi

# A kit counts only once its stamp is there, and the stamp is written last:
# Qt's CMake files name their install prefix, so the kit is installed in
# place, and a folder without the stamp is a half kit to throw away.
complete() { [ -f "$kit/.quorvane-kit-complete" ]; }
if complete; then
  echo "$kit"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/qt-$upstream-mingw64.lock"
if ! flock -n 9; then
  say "another build of the kit is running; waiting for it"
  flock 9
fi
if complete; then
  echo "$kit"
  exit 0
fi

work="$cache/work-$upstream-$hash"
# Left-overs of an interrupted build, of this or an older script.
rm -rf "$cache"/work-"$upstream"-* "$kit"
mkdir -p "$work"
trap 'rm -rf "$work"; complete || rm -rf "$kit"' EXIT

# The source package, through a private copy of the machine's own apt sources
# with deb-src added: the machine's apt configuration is left as it is.
say "fetching the source of qt6-base $src_version"
apt_dir="$work/apt"
mkdir -p "$apt_dir/parts" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
: >"$apt_dir/sources.list"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$apt_dir/parts/$(basename "$f")"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -e "$f" ] || continue
  sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$apt_dir/sources.list"
done
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Sandbox::User=root"
)
apt-get "${apt_opts[@]}" -qq update >&2
(cd "$work" && apt-get "${apt_opts[@]}" -qq source --download-only "qt6-base=$src_version" >&2)
dsc=$(ls "$work"/qt6-base_*.dsc)
# Debian's patches are applied as the package's own build applies them.
(cd "$work" && dpkg-source --no-check -x "$dsc" src >&2)

say "configuring Qt $upstream for x86_64-w64-mingw32"
cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$kit" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DBUILD_SHARED_LIBS=ON \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DINPUT_opengl=no -DFEATURE_opengl=OFF \
  -DFEATURE_dynamicgl=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_windows=ON -DFEATURE_style_windowsvista=ON -DFEATURE_ico=ON \
  >"$work/configure.log" 2>&1 || {
    tail -40 "$work/configure.log" >&2
    cp "$work/configure.log" "$cache/qt-failed.log"
    say "configure failed; the whole log is in $cache/qt-failed.log"
    exit 1
  }

# Ninja's own progress, thinned to one line in fifty, so a long build shows
# how far along it is without flooding the log.
say "building (about 1,100 steps; some 20 minutes on 2 cores)"
set +e
cmake --build "$work/build" -j "$jobs" 2>&1 | tee "$work/build.log" |
  awk '/^\[[0-9]+\/[0-9]+\]/ { split(substr($1, 2), a, "/"); n = a[1] + 0;
         if (n % 50 == 0 || n == a[2] + 0) { printf "build-qt-windows: %s\n", $1 > "/dev/stderr"; fflush() } }
       /FAILED|error:/ { print > "/dev/stderr" }'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  tail -30 "$work/build.log" >&2
  cp "$work/build.log" "$cache/qt-failed.log"
  say "build failed; the whole log is in $cache/qt-failed.log"
  exit 1
fi

say "installing"
cmake --install "$work/build" >"$work/install.log" 2>&1
date -u +%FT%TZ >"$kit/.quorvane-kit-complete"
say "kit ready: $(du -sh "$kit" | cut -f1) in $kit"
echo "$kit"

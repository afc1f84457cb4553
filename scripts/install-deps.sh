#!/usr/bin/env bash
# Installs the Debian packages needed to build, test, run and package Quorvane.
# Does nothing when everything is already there; works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-noto-cjk fonts-liberation2
  xvfb x11-apps x11-utils xdotool imagemagick xauth
  desktop-file-utils appstream dpkg-dev file man-db
  time
  g++-mingw-w64-x86-64-posix wine wine64 nsis
  wasi-libc libc++-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

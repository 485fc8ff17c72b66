#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when missing.
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

packages=(
  cmake
  make
  g++
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  nlohmann-json3-dev
  liblua5.1-0-dev
  libtolua++5.1-dev
  lua5.1
  libcli11-dev
  g++-mingw-w64-i686
  g++-mingw-w64-x86-64
  wine64
  xvfb
  xdotool
  clang
  lld
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root (or sudo) to install ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

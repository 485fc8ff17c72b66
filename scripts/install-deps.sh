#!/usr/bin/env bash
# Installs the Debian packages that a task needs, when missing:
#   scripts/install-deps.sh demo       what make demo needs: the library and vorlan-host
#   scripts/install-deps.sh [test]     everything the build, the tests and the benchmarks need
#   scripts/install-deps.sh wine32     the sets of the 32-bit test step (scripts/test-32bit.sh)
#   scripts/install-deps.sh qemu-i386
# Safe to run again: it does nothing when everything is there.
set -euo pipefail

demo=(
  cmake
  make
  g++
  nlohmann-json3-dev
  liblua5.1-0-dev
  libtolua++5.1-dev
  libcli11-dev
)

test=(
  "${demo[@]}"
  lua5.1
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  pkg-config
  luarocks
  g++-mingw-w64-i686
  g++-mingw-w64-x86-64
  wine64
  xvfb
  xdotool
  clang
  lld
  libclang-rt-14-dev
)

# True when this machine runs 32-bit x86 programs (a kernel with IA-32
# emulation): a 91-byte 32-bit ELF program that only exits with 0.
runs_32bit() {
  local probe status=0
  probe=$(mktemp)
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\133\0\0\0\133\0\0\0\5\0\0\0\0\020\0\0\061\333\061\300\100\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return "$status"
}

# The 32-bit test step's own sets (scripts/test-32bit.sh), beside the i386
# architecture: "wine32", Wine's 32-bit loader, only where 32-bit programs run;
# "qemu-i386", the 32-bit Linux build's compiler and libraries and the emulator
# that runs its tests anywhere. "report", the HTML report's checks: a browser to
# render it, Debian's Python for its HTML parser.
i386=""
case "${1:-test}" in
  demo) packages=("${demo[@]}") ;;
  test) packages=("${test[@]}") ;;
  wine32)
    if ! runs_32bit; then
      echo "install-deps: this machine runs no 32-bit programs; wine32 is left out"
      exit 0
    fi
    i386=yes
    packages=(wine32:i386) ;;
  qemu-i386)
    i386=yes
    packages=(qemu-user g++-multilib liblua5.1-0-dev:i386 libgtest-dev:i386 libgmock-dev:i386) ;;
  report)
    packages=(chromium python3) ;;
  *) echo "install-deps: unknown set \"$1\" (demo, test, wine32, qemu-i386 or report)" >&2; exit 1 ;;
esac

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
if [ -n "$i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Tests the 32-bit code on any 64-bit Debian machine:
#   scripts/test-32bit.sh BUILD
# Where this machine runs 32-bit programs, the 32-bit Windows test programs of
# BUILD/win32 run under Wine's 32-bit loader (scripts/wine-test.sh, files kept
# in BUILD/wine32): WinePortTest, and WineFacadeTest twice, once with Lua
# stand-ins that load libgcc_s_dw2-1.dll and once with stand-ins that carry
# their own runtime. Elsewhere, or with VORLAN_32BIT=qemu, a line says so and
# the 32-bit Linux build (BUILD/i386) runs its tests under qemu-i386.
# JOBS sets the build's parallel jobs (default 2).
set -euo pipefail

fail() { echo "test-32bit: FAILED: $*" >&2; exit 1; }

[ $# -eq 1 ] || fail "usage: $0 BUILD"
build=$(realpath -m "$1")
source=$(realpath "$(dirname "$0")/..")
jobs=${JOBS:-2}
wine32=/usr/lib/wine/wine

if [ "${VORLAN_32BIT:-}" = qemu ]; then
  echo "test-32bit: VORLAN_32BIT=qemu: the 32-bit Linux build's tests run under qemu-i386"
else
  bash "$source/scripts/install-deps.sh" wine32
  if "$wine32" --version >/dev/null 2>&1; then
    cmake --build "$build/win32" -j "$jobs" --target WinePortTest WineFacadeTest WineFacadeTestStaticLua
    exec bash "$source/scripts/wine-test.sh" --keep "$build/wine32" "$wine32" \
      "$build/win32/tests/wine/WinePortTest.exe" "$build/win32/WineFacadeTest.exe" \
      "$build/win32/static-lua/WineFacadeTestStaticLua.exe"
  fi
  echo "test-32bit: Wine's 32-bit loader cannot run here; the 32-bit Linux build's tests run under qemu-i386 instead"
fi

bash "$source/scripts/install-deps.sh" qemu-i386
# Debian's lua5.1 and libtolua++5.1-dev cannot be installed beside their 64-bit
# packages; the build takes the i386 interpreter and archive unpacked from them.
debs=$build/i386/debs
lua=$debs/root/usr/bin/lua5.1
tolua=$debs/root/usr/lib/libtolua++5.1.a
if [ ! -x "$lua" ] || [ ! -f "$tolua" ]; then
  rm -rf "$debs"
  mkdir -p "$debs"
  (cd "$debs" && apt-get download -q -o APT::Sandbox::User=root lua5.1:i386 libtolua++5.1-dev:i386) ||
    fail "could not download the i386 lua5.1 and libtolua++5.1-dev packages"
  for deb in "$debs"/*.deb; do
    dpkg-deb -x "$deb" "$debs/root"
  done
  [ -x "$lua" ] && [ -f "$tolua" ] || fail "the i386 packages hold no $lua or $tolua"
fi

# The Lua script tests run the interpreter under the emulator too.
cmake -S "$source" -B "$build/i386" -DCMAKE_TOOLCHAIN_FILE="$source/cmake/linux-i386.cmake" \
  -DCMAKE_BUILD_TYPE=Debug -DTOLUA_LIBRARY="$tolua" "-DLUA_INTERPRETER=qemu-i386;$lua"
cmake --build "$build/i386" -j "$jobs"
cd "$build/i386" && ctest --output-on-failure -j "$jobs"

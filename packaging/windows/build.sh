#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build, made on Debian: Qt for Windows from the cache (qt.sh makes it once), the
# game and every test cross-built with MinGW-w64, then the zip a Windows player unpacks
# (CPack), the same program folder unpacked beside it and the installer of that folder, an
# MSI made with wixl. "test" runs, in a virtual X server, every test program under Wine, a
# played game from the unpacked zip and one installed from the MSI, with a Czech Windows
# locale.
#   build.sh <build folder> [build|test]      (default: test)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
mkdir -p "${1:?usage: build.sh <build folder> [build|test]}"
build=$(cd "$1" && pwd)
mode=${2:-test}
jobs=${OMVAR_JOBS:-$(nproc)}

fail() { echo "omvar windows: $*" >&2; exit 1; }
say() { echo "omvar windows: $*"; }
elapsed() { echo "$(($(date +%s) - $1)) s"; }

case "$mode" in build | test) ;; *) fail "unknown step '$mode' (build or test)" ;; esac
command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  fail "MinGW-w64's g++ (posix threads) is missing (Debian: g++-mingw-w64-x86-64-posix)"
command -v wixl >/dev/null || fail "wixl is missing (Debian: wixl)"
if [ "$mode" = test ]; then
  [ -x /usr/lib/wine/wine64 ] || fail "Wine is missing (Debian: wine, wine64)"
  command -v xvfb-run >/dev/null || fail "xvfb-run is missing (Debian: xvfb, xauth)"
fi

start=$(date +%s)
qt=$(bash "$here/qt.sh")
say "Qt for Windows: $qt ($(elapsed "$start"))"

start=$(date +%s)
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_TOOLCHAIN_FILE=$here/mingw-w64-x86_64.cmake" "-DCMAKE_PREFIX_PATH=$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=$here/wine.sh;--qt;$qt;--qtest;$build/wine" \
  -DOMVAR_TOOLS=OFF
cmake --build "$build" -j"$jobs"
rm -f "$build"/*.zip "$build"/*.msi
(cd "$build" && cpack -G ZIP)
zip=$(ls "$build"/*.zip)
rm -rf "${zip%.zip}"
unzip -q "$zip" -d "$build"
say "cross build and zip in $(elapsed "$start"): $zip, unpacked in ${zip%.zip}/"

# The installer holds the unpacked folder file for file: wixl-heat lists it for omvar.wxs.
# wixl takes the files' paths relative to the folder it runs in.
start=$(date +%s)
msi=${zip%.zip}.msi
folder=$(basename "${zip%.zip}")
(
  cd "$build"
  find "$folder" -type f | LC_ALL=C sort |
    wixl-heat --prefix "$folder/" --directory-ref INSTALLDIR --component-group ProgramFiles \
      --var var.Folder --win64 >installer-files.wxs
  wixl --arch x64 -D "Folder=$folder" -D Win64=yes \
    -D "Icon=$(realpath --relative-to=. "$source_dir/assets/omvar.ico")" \
    -o "$msi" "$here/omvar.wxs" installer-files.wxs
)
say "installer in $(elapsed "$start"): $msi ($(stat -c %s "$msi") bytes)"

[ "$mode" = test ] || exit 0
start=$(date +%s)
# The Czech journey needs the Czech locale; it is generated once where we may.
if ! locale -a | grep -qix 'cs_CZ.utf-\?8'; then
  [ "$(id -u)" -eq 0 ] || fail "the cs_CZ.UTF-8 locale is missing; generate it (locale-gen) as root"
  sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  locale-gen >/dev/null
fi
# Test programs open real windows under Wine: they share one virtual X server.
xvfb-run -a -s "-screen 0 1024x768x24" \
  ctest --test-dir "$build" --output-on-failure -j"$jobs" || status=$?
# What Windows skips, and why, once per test function.
grep -h "^SKIP   : " "$build/Testing/Temporary/LastTest.log" |
  sed -E 's/^SKIP   : ([A-Za-z0-9_:]+)\([^)]*\) */skipped on Windows: \1: /' | sort -u || true
say "tests under Wine in $(elapsed "$start")"
exit "${status:-0}"

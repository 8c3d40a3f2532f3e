#!/bin/sh
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Compiles the winmm backend's Qt-free call with MinGW-w64 and links a small Windows program
# against winmm with it. Exits 77 (skipped) when the cross compiler is not installed.
# Usage: winmm-cross-compile.sh <source root> <output folder>
set -eu
compiler=x86_64-w64-mingw32-g++
if ! command -v "$compiler" >/dev/null 2>&1; then
    echo "SKIPPED: $compiler not found (Debian package: mingw-w64)"
    exit 77
fi
root=$1
out=$2
mkdir -p "$out"
flags="-std=c++20 -Wall -Wextra -Wpedantic -Werror -I$root"
$compiler $flags -c "$root/sound/WinmmPlaySound.cpp" -o "$out/WinmmPlaySound.o"
$compiler $flags -c "$root/tests/sound/WinmmLinkProbe.cpp" -o "$out/winmm_link_probe.o"
$compiler "$out/winmm_link_probe.o" "$out/WinmmPlaySound.o" -lwinmm -o "$out/winmm_link_probe.exe"
echo "compiled and linked $out/winmm_link_probe.exe against winmm"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The browser build's start-up against a bare Qt window built the same way, and the
# countdown by the page's clock (web_startup.mjs), in headless Chromium on a site served as
# tests/web/run.sh serves it. Build the game's site first (./omvar web build).
# Usage: bench/web_startup.sh <the game's web build folder, holding site/> [rounds]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: web_startup.sh <web build folder> [rounds]}" && pwd)
[ -f "$build/site/omvar.wasm" ] || { echo "no game site in $build/site: run ./omvar web build"; exit 1; }

qt=$(bash "$here/../packaging/web/qt.sh")
source "$here/../packaging/web/emscripten-env.sh"
emscripten_env "$build/emsdk"
"$qt/bin/qt-cmake" -S "$here/web" -B "$build/bench-bare" -G Ninja \
  -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build/bench-bare" >/dev/null

sites=$build/bench-sites
rm -rf "$sites"
mkdir -p "$sites/game" "$sites/bare"
cp -r "$build/site/." "$sites/game/"
cp -r "$here/../packaging/web/page/." "$sites/bare/"
cp "$build/bench-bare/omvar.js" "$build/bench-bare/omvar.wasm" "$sites/bare/"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
bash "$here/../tests/web/run.sh" "$sites" "$here/web_startup.mjs" "${2:-7}"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The browser build, made on Debian: Qt for WebAssembly from the cache (qt.sh makes it once),
# the game built with Debian's emscripten, and <build folder>/site/, a folder of static files
# any web server can serve: the page (page/), the module (omvar.js, omvar.wasm), the sound
# files and the licences of everything in it. "test" then plays it in headless Chromium
# (tests/web/run.sh), "serve" serves it on 127.0.0.1 until stopped.
#   build.sh <build folder> [build|test|serve]      (default: test)
#   OMVAR_JOBS       parallel build jobs (default: the number of cores)
#   OMVAR_WEB_PORT   the port "serve" listens on (default: 8080)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
mkdir -p "${1:?usage: build.sh <build folder> [build|test|serve]}"
build=$(cd "$1" && pwd)
mode=${2:-test}
jobs=${OMVAR_JOBS:-$(nproc)}
site=$build/site

fail() { echo "omvar web: $*" >&2; exit 1; }
say() { echo "omvar web: $*"; }
elapsed() { echo "$(($(date +%s) - $1)) s"; }

case "$mode" in build | test | serve) ;; *) fail "unknown step '$mode' (build, test or serve)" ;; esac
command -v emcc >/dev/null || fail "emscripten is missing (Debian: emscripten)"
if [ "$mode" = test ]; then
  [ -f "$source_dir/tests/web/run.sh" ] || fail "the browser tests (tests/web/run.sh) are missing"
  command -v chromium >/dev/null || fail "Chromium is missing (Debian: chromium)"
fi

start=$(date +%s)
qt=$(bash "$here/qt.sh")
say "Qt for WebAssembly: $qt ($(elapsed "$start"))"

source "$here/emscripten-env.sh"
emscripten_env "$build/emsdk"
start=$(date +%s)
"$qt/bin/qt-cmake" -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DOMVAR_TOOLS=OFF
cmake --build "$build" -j"$jobs"

# The site: the page, the module, the sounds beside it, and the notices of what the module
# holds: the game (GPL 3), Qt (LGPL 3) with the libraries built into it, emscripten's runtime
# and C and C++ libraries, and the faces.
rm -rf "$site"
mkdir -p "$site/licenses"
if [ -d "$here/page" ]; then
  cp -r "$here/page/." "$site/"
fi
cp "$build/bin/omvar.js" "$build/bin/omvar.wasm" "$source_dir"/assets/Data[1-4].dat "$site/"
cp /usr/share/common-licenses/GPL-3 "$site/licenses/GPL-3.0.txt"
cp /usr/share/common-licenses/LGPL-3 "$site/licenses/LGPL-3.0.txt"
cp /usr/share/doc/libqt6core6/copyright "$site/licenses/qt6-base.txt"
cp /usr/share/doc/emscripten/copyright "$site/licenses/emscripten.txt"
for fonts in fonts-liberation2 fonts-dejavu-core fonts-comic-neue; do
  cp "/usr/share/doc/$fonts/copyright" "$site/licenses/$fonts.txt"
done
say "built in $(elapsed "$start"): $site"
wasm=$(stat -c %s "$site/omvar.wasm")
wasm_gzip=$(gzip -9c "$site/omvar.wasm" | wc -c)
site_gzip=$(find "$site" -maxdepth 1 -type f ! -name '*.txt' -exec gzip -9c {} + | wc -c)
say "omvar.wasm: $wasm bytes, $wasm_gzip gzipped; the page as loaded: $site_gzip bytes gzipped"

case "$mode" in
  build) ;;
  test) exec bash "$source_dir/tests/web/run.sh" "$site" ;;
  serve)
    [ -f "$site/index.html" ] || fail "the page (packaging/web/page/index.html) is missing"
    port=${OMVAR_WEB_PORT:-8080}
    say "serving $site at http://127.0.0.1:$port/ (Ctrl+C stops it)"
    exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
    ;;
esac

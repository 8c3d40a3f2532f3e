#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes Qt 6.4.2 (base module) for WebAssembly from Debian's qt6-base source package with
# Debian's emscripten, once, into a cache folder outside the work tree, and prints its
# install prefix. A cache is reused only when its stamp matches this recipe and its key
# files are there; anything else (an interrupted build, a removed file) is built again.
#   OMVAR_CACHE   the cache folder (default: ${XDG_CACHE_HOME:-$HOME/.cache}/omvar)
#   OMVAR_JOBS    parallel build jobs (default: the number of cores)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

QT_VERSION=6.4.2
cache=${OMVAR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/omvar}
root=$cache/qt-$QT_VERSION-wasm
prefix=$root/prefix
stamp=$prefix/omvar-complete

fail() { echo "omvar web: $*" >&2; exit 1; }
say() { echo "omvar web: $*" >&2; }
source "$here/../qt-source.sh"
source "$here/emscripten-env.sh"

# Qt is built for size (-Os), static (the page loads one module) and without threads (a
# threaded module needs cross-origin isolation, which a plain static host does not give).
# Dialogs wait in a nested event loop, which the browser allows only through asyncify.
CONFIGURE=(
  -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_SHARED_LIBS=OFF
  -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_QMAKE_DEVICE_OPTIONS=QT_EMSCRIPTEN_ASYNCIFY=1
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
)
# Off: every module and feature the game does not use, and with it every dependency on a
# system library (the bundled zlib, libpng, libjpeg, freetype, harfbuzz, pcre2 and
# double-conversion are used). OpenGL stays: the platform plugin composes its windows
# through WebGL.
for feature in thread sql network dbus xml concurrent printsupport vulkan pkg_config icu \
    glib zstd fontconfig system_zlib system_png system_jpeg system_harfbuzz system_pcre2 \
    system_freetype system_doubleconversion tabletevent androiddeployqt testlib; do
  CONFIGURE+=("-DFEATURE_$feature=OFF")
done
# Kept: the widgets the game creates (buttons, labels, group boxes, the line edit with its
# validator, clipboard and context menu, the list view with its scroll bars, message boxes,
# tooltips), accessibility, the Fusion style, the PNG, BMP, JPEG and ICO readers. The rest
# is as for Windows: Qt code no screen reaches, less what Qt 6.4 does not build without.
for feature in mimetype_database sharedmemory systemsemaphore hijricalendar jalalicalendar \
    islamiccivilcalendar identityproxymodel transposeproxymodel concatenatetablesproxymodel \
    sortfilterproxymodel textmarkdownreader textmarkdownwriter textodfwriter pdf movie \
    systemtrayicon sessionmanager undocommand filesystemmodel imageformat_ppm gif \
    style_stylesheet graphicsview mdiarea calendarwidget colordialog filedialog \
    fontdialog progressdialog errormessage wizard treewidget tablewidget columnview listwidget \
    datawidgetmapper textbrowser syntaxhighlighter splashscreen splitter lcdnumber dial \
    keysequenceedit fontcombobox toolbox statusbar completer; do
  CONFIGURE+=("-DFEATURE_$feature=OFF")
done
# Qt 6.4's widgets header guards one include too few when filesystemmodel is off, which
# breaks every source that includes <QtWidgets> (the OpenGL widgets' precompiled header).
PATCHES=("$here/qfilesystemmodel-feature-guard.patch")

KEY_FILES=(
  lib/libQt6Core.a lib/libQt6Gui.a lib/libQt6Widgets.a lib/libQt6OpenGL.a bin/qt-cmake
  lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake
  plugins/platforms/libqwasm.a plugins/imageformats/libqico.a plugins/imageformats/libqjpeg.a
)
recipe=$( { echo "$QT_VERSION"; cat /usr/share/emscripten/emscripten-version.txt
  printf '%s\n' "${CONFIGURE[@]}"; cat "${PATCHES[@]}"; } | sha256sum | cut -d' ' -f1)

key_files_there() {
  local f
  for f in "${KEY_FILES[@]}"; do [ -s "$prefix/$f" ] || { say "missing $prefix/$f"; return 1; }; done
}

cache_whole() {
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ] && key_files_there
}

build_qt() {
  for tool in /usr/bin/emcc /usr/bin/dpkg-source /usr/bin/patch /usr/bin/ninja \
      /usr/lib/qt6/libexec/moc /usr/lib/qt6/libexec/rcc /usr/lib/qt6/libexec/uic; do
    [ -x "$tool" ] || fail "$tool is missing (./omvar web installs it)"
  done
  rm -rf "$root"
  local src p
  src=$(fetch_qt_source "$root/src")
  for p in "${PATCHES[@]}"; do
    patch -d "$src" -p1 < "$p" > /dev/null || fail "$p does not apply to $src"
  done
  emscripten_env "$root/emsdk"
  say "configuring Qt (log: $root/build.log)"
  local start=$SECONDS
  cmake -S "$src" -B "$root/build" "${CONFIGURE[@]}" "-DCMAKE_INSTALL_PREFIX=$prefix" \
    > "$root/build.log" 2>&1 || fail "configuring Qt failed (see $root/build.log)"
  say "building Qt with ${OMVAR_JOBS:-$(nproc)} jobs; about 20 minutes on two cores"
  cmake --build "$root/build" -j"${OMVAR_JOBS:-$(nproc)}" >> "$root/build.log" 2>&1 \
    || fail "building Qt failed (see $root/build.log)"
  cmake --install "$root/build" >> "$root/build.log" 2>&1 || fail "installing Qt failed (see $root/build.log)"
  rm -rf "$root/src" "$root/build"
  key_files_there || fail "the Qt install in $prefix lacks files it should have"
  echo "$recipe" > "$stamp"
  say "Qt built in $((SECONDS - start)) s into $prefix"
}

mkdir -p "$cache"
# A lock of its own: Qt for Windows may be building beside it.
exec 9> "$cache/qt-wasm.lock"
flock 9
if ! cache_whole; then
  [ -e "$root" ] && say "the Qt cache in $root is incomplete or from another recipe; building it again"
  build_qt
fi
echo "$prefix"

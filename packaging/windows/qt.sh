#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes Qt 6.4.2 (base module) for 64-bit Windows from Debian's qt6-base source package with
# Debian's MinGW-w64, once, into a cache folder outside the work tree, and prints its install
# prefix. A cache is reused only when its stamp matches this recipe and its key files are
# there; anything else (an interrupted build, a removed file) is built again.
#   OMVAR_CACHE   the cache folder (default: ${XDG_CACHE_HOME:-$HOME/.cache}/omvar)
#   OMVAR_JOBS    parallel build jobs (default: the number of cores)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

QT_VERSION=6.4.2
cache=${OMVAR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/omvar}
root=$cache/qt-$QT_VERSION-mingw-w64
prefix=$root/prefix
stamp=$prefix/omvar-complete

fail() { echo "omvar windows: $*" >&2; exit 1; }
say() { echo "omvar windows: $*" >&2; }
source "$here/../qt-source.sh"

# Qt is built for size (-Os), since it is most of what a player downloads. Every module and
# feature the game and its tests do not use is off, and with it every dependency on a system
# library: the bundled zlib, libpng, libjpeg, harfbuzz, pcre2 and double-conversion are used.
# Debian's source forces four more: it has no wintab (tabletevent), its cross patch would
# build androiddeployqt for the target, and Qt 6.4's windows plugin does not link with
# direct2d off unless directwrite3 is off too.
CONFIGURE=(
  -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_SHARED_LIBS=ON
  "-DCMAKE_TOOLCHAIN_FILE=$here/mingw-w64-x86_64.cmake"
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no
)
for feature in sql network dbus xml concurrent printsupport opengl vulkan pkg_config icu glib \
    zstd freetype fontconfig system_zlib system_png system_jpeg system_harfbuzz system_pcre2 \
    system_doubleconversion tabletevent androiddeployqt direct2d directwrite3; do
  CONFIGURE+=("-DFEATURE_$feature=OFF")
done
# Kept: the widgets the game creates (buttons, labels, group boxes, the line edit with its
# validator, clipboard and context menu, the list view with its scroll bars, message boxes,
# tooltips), accessibility, the Windows and Windows Vista styles, the PNG, BMP, JPEG and ICO
# readers, processes and regular expressions (the tests use them) and QTest. Everything
# below is Qt code no screen reaches: other widgets, dialogs and item views, style sheets,
# the Fusion style, document formats, the built-in MIME database, other calendars. Some
# unused widgets stay because Qt 6.4 does not build without them: the main window with its
# tool bars (its code for removed functions), and the text edit, input dialog, combo box,
# table, tree and tab widget (the Windows Vista style refers to them).
for feature in mimetype_database sharedmemory systemsemaphore hijricalendar jalalicalendar \
    islamiccivilcalendar identityproxymodel transposeproxymodel concatenatetablesproxymodel \
    sortfilterproxymodel textmarkdownreader textmarkdownwriter textodfwriter pdf movie \
    systemtrayicon sessionmanager undocommand filesystemmodel imageformat_ppm gif \
    style_stylesheet style_fusion graphicsview mdiarea calendarwidget colordialog filedialog \
    fontdialog progressdialog errormessage wizard treewidget tablewidget columnview listwidget \
    datawidgetmapper textbrowser syntaxhighlighter splashscreen splitter lcdnumber dial \
    keysequenceedit fontcombobox toolbox statusbar completer; do
  CONFIGURE+=("-DFEATURE_$feature=OFF")
done

# The files a whole install has; the stamp alone does not prove a cache was not damaged later.
KEY_FILES=(
  bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6Test.dll
  lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake
  plugins/platforms/qwindows.dll plugins/styles/qwindowsvistastyle.dll
)
recipe=$( { echo "$QT_VERSION"; printf '%s\n' "${CONFIGURE[@]}"; cat "$here/mingw-w64-x86_64.cmake"; } \
  | sed "s|$here|.|" | sha256sum | cut -d' ' -f1)

key_files_there() {
  local f
  for f in "${KEY_FILES[@]}"; do [ -s "$prefix/$f" ] || { say "missing $prefix/$f"; return 1; }; done
}

cache_whole() {
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ] && key_files_there
}

build_qt() {
  for tool in /usr/bin/x86_64-w64-mingw32-g++-posix /usr/bin/dpkg-source /usr/bin/ninja \
      /usr/lib/qt6/libexec/moc /usr/lib/qt6/libexec/rcc /usr/lib/qt6/libexec/uic; do
    [ -x "$tool" ] || fail "$tool is missing (./omvar windows installs it)"
  done
  rm -rf "$root"
  local src
  src=$(fetch_qt_source "$root/src")
  say "configuring Qt (log: $root/build.log)"
  local start=$SECONDS
  cmake -S "$src" -B "$root/build" "${CONFIGURE[@]}" "-DCMAKE_INSTALL_PREFIX=$prefix" \
    > "$root/build.log" 2>&1 || fail "configuring Qt failed (see $root/build.log)"
  say "building Qt with ${OMVAR_JOBS:-$(nproc)} jobs; about 17 minutes on two cores"
  cmake --build "$root/build" -j"${OMVAR_JOBS:-$(nproc)}" >> "$root/build.log" 2>&1 \
    || fail "building Qt failed (see $root/build.log)"
  cmake --install "$root/build" >> "$root/build.log" 2>&1 || fail "installing Qt failed (see $root/build.log)"
  rm -rf "$root/src" "$root/build"
  key_files_there || fail "the Qt install in $prefix lacks files it should have"
  echo "$recipe" > "$stamp"
  say "Qt built in $((SECONDS - start)) s into $prefix"
}

mkdir -p "$cache"
exec 9> "$cache/qt.lock"
flock 9
if ! cache_whole; then
  [ -e "$root" ] && say "the Qt cache in $root is incomplete or from another recipe; building it again"
  build_qt
fi
echo "$prefix"

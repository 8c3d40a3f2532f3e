# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Fetching Debian's qt6-base source, shared by the Qt recipes (sourced; they define fail,
# say and QT_VERSION first).

# The source comes through apt; where apt knows no source archive, one is added beside each
# binary archive it already uses.
add_deb_src() {
  apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $QT_VERSION" && return 0
  [ "$(id -u)" -eq 0 ] || fail "apt knows no source of qt6-base; run as root (or add a deb-src entry) once"
  local list=/etc/apt/sources.list.d/omvar-deb-src.sources
  say "adding the Debian source archives to $list"
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ "$f" = "$list" ] && continue
    grep -q '^Types:.*\bdeb\b' "$f" && sed 's/^Types:.*/Types: deb-src/' "$f" && echo
  done > "$list"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/omvar-deb-src.list
  fi
  apt-get update >&2 || fail "apt-get update failed after adding the source archives"
  apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: $QT_VERSION" \
    || fail "no qt6-base $QT_VERSION source package in apt's archives"
}

# Downloads and unpacks the source (with Debian's patches) into the folder $1 and prints
# the unpacked source folder.
fetch_qt_source() {
  add_deb_src
  mkdir -p "$1"
  say "downloading Debian's qt6-base source into $1"
  (cd "$1" && apt-get source qt6-base="$(apt-cache showsrc qt6-base | sed -n "s/^Version: \($QT_VERSION.*\)/\1/p" | head -1)") \
    > "$1/../source.log" 2>&1 || fail "downloading the qt6-base source failed (see $1/../source.log)"
  local src
  src=$(find "$1" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
  [ -n "$src" ] && [ -f "$src/CMakeLists.txt" ] || fail "the qt6-base source did not unpack (see $1/../source.log)"
  echo "$src"
}

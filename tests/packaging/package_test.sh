#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package, end to end: makes it with CPack from a built tree, checks its
# dependencies and files, installs it system-wide with apt-get, starts the game through
# the launcher on the PATH under a virtual X server, quits it with its own "Zpět do
# Windows" button, and removes the package again.
#   package_test.sh <build folder>
# Exits 77 (skipped) when not run as root or when a tool it needs is missing.
set -euo pipefail

build=$(cd "$1" && pwd)
skip() {
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ "$(id -u)" -eq 0 ] || skip "installing a package system-wide needs root"
for tool in cpack apt-get dpkg-deb dpkg-shlibdeps xvfb-run xauth xdotool timeout; do
  command -v "$tool" >/dev/null || skip "$tool not found"
done
# One package test at a time on the machine (several builds may run their suites at once),
# and apt waits for another apt instead of failing.
exec 9>/run/lock/omvar-package-test
flock 9
apt_get=(apt-get -o DPkg::Lock::Timeout=300)
if dpkg-query -W -f='${Status}' omvar 2>/dev/null | grep -q "install ok installed"; then
  skip "a package named omvar is installed already; it is left as it is"
fi

work=$(mktemp -d)
installed=no
cleanup() {
  if [ "$installed" = yes ]; then
    DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" remove -y omvar >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== making the package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/omvar_*.deb)
[ -f "${debs[0]}" ] || fail "no omvar_*.deb in $work"
deb=${debs[0]}
echo "$(basename "$deb")"

echo "== its dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
# What the program loads without linking it (OpenAL Soft among them), and, from
# dpkg-shlibdeps, Qt and the C library.
for package in qt6-qpa-plugins libopenal1 fonts-liberation2 fonts-dejavu-core \
  fonts-comic-neue libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done

echo "== its files"
contents=$(dpkg-deb -c "$deb")
for file in ./usr/lib/omvar/omvar ./usr/lib/omvar/Data1.dat ./usr/lib/omvar/Data2.dat \
  ./usr/lib/omvar/Data3.dat ./usr/lib/omvar/Data4.dat ./usr/bin/omvar \
  ./usr/share/applications/org.example.Omvar.desktop \
  ./usr/share/metainfo/org.example.Omvar.metainfo.xml \
  ./usr/share/icons/hicolor/32x32/apps/org.example.Omvar.png \
  ./usr/share/icons/hicolor/256x256/apps/org.example.Omvar.png; do
  grep -q " $file\( \|$\)" <<<"$contents" || fail "the package lacks $file"
done

echo "== installing it"
installed=yes
DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install failed"; }
[ -x /usr/lib/omvar/omvar ] || fail "/usr/lib/omvar/omvar is not installed"
[ "$(readlink -f /usr/bin/omvar)" = /usr/lib/omvar/omvar ] || fail "/usr/bin/omvar does not lead to the program"

echo "== starting the game from its launcher"
# The menu's quit button ("Zpět do Windows") has its centre at (456, 312) of its window.
# Its window class (WM_CLASS) must be the desktop entry's StartupWMClass.
# The game must draw on this X server whatever the caller's environment names: a headless
# test run often sets QT_QPA_PLATFORM=offscreen, and a Wayland session would be chosen first.
cat >"$work/session.sh" <<'SESSION'
set -u
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
timeout 60 /usr/bin/omvar &
game=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Omvar  v2\.0$' | head -n 1)
if [ -z "$window" ]; then
  echo "FAIL: no window named 'Omvar  v2.0' appeared" >&2
  kill "$game" 2>/dev/null
  exit 1
fi
echo "window $window: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"
if command -v xprop >/dev/null; then
  class=$(xprop -id "$window" WM_CLASS)
  echo "$class"
  if ! grep -q '"Omvar"$' <<<"$class"; then
    echo "FAIL: the window's class is not the desktop entry's StartupWMClass, Omvar" >&2
    kill "$game" 2>/dev/null
    exit 1
  fi
fi
xdotool mousemove --window "$window" 456 312 click 1
wait "$game"
status=$?
[ "$status" -eq 0 ] || echo "FAIL: the game ended with status $status" >&2
exit "$status"
SESSION
session=0
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" >"$work/session.log" 2>&1 ||
  session=$?
grep -v 'XDG_RUNTIME_DIR' "$work/session.log" || true
[ "$session" -eq 0 ] || fail "the installed game did not start and quit cleanly"

echo "== removing it"
DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" remove -y omvar >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get remove failed"; }
installed=no
[ ! -e /usr/lib/omvar ] || fail "/usr/lib/omvar is left behind"
[ ! -e /usr/bin/omvar ] || fail "/usr/bin/omvar is left behind"
echo "PASS: the package installs, starts the game and goes again"

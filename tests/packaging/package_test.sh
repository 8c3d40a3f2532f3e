#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package, end to end: builds it with dpkg-buildpackage from a copy of the
# source in a temporary folder (it writes its packages beside the source folder), lints it
# with lintian, checks its version, dependencies and files, installs it system-wide with
# apt-get, starts the game as its desktop entry does under a virtual X server with a sound
# server, sees it read its sounds from the package's data folder, quits it with its own
# "Zpět do Windows" button, and removes the package again.
#   package_test.sh <source folder>
# Exits 77 (skipped) when not run as root or when a tool it needs is missing.
set -euo pipefail

source=$(cd "$1" && pwd)
skip() {
  echo "SKIP: $*"
  exit 77
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ "$(id -u)" -eq 0 ] || skip "installing a package system-wide needs root"
for tool in git dpkg-buildpackage dh lintian apt-get dpkg-deb xvfb-run xauth xdotool strace \
  timeout; do
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

version=$(sed -n 's/^project(Omvar VERSION \([0-9.]*\) .*/\1/p' "$source/CMakeLists.txt")
echo "== making the package of version $version"
copy=$work/omvar-$version
mkdir "$copy"
git -C "$source" ls-files -z --cached --others --exclude-standard |
  tar -C "$source" --null -T - -cf - | tar -C "$copy" -xf -
# The compiler cache's paths are taken relative to the copy, so that the next copy hits.
(cd "$copy" && CCACHE_BASEDIR=$copy DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" \
  dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1 ||
  { tail -n 60 "$work/build.log"; fail "dpkg-buildpackage failed"; }
deb=$work/omvar_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") in $work"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not of version $version"
grep -q "<release version=\"$version\"" "$copy/packaging/org.example.Omvar.metainfo.xml" ||
  fail "the AppStream metainfo names no release $version"

echo "== lintian"
lint=0
lintian --pedantic --info --fail-on error,warning "$work"/omvar_*.changes \
  >"$work/lintian.log" 2>&1 || lint=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$lint" -eq 0 ] || fail "lintian reports errors or warnings, or failed itself"

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
for file in ./usr/games/omvar ./usr/share/games/omvar/Data1.dat \
  ./usr/share/games/omvar/Data2.dat ./usr/share/games/omvar/Data3.dat \
  ./usr/share/games/omvar/Data4.dat ./usr/share/man/man6/omvar.6.gz \
  ./usr/share/doc/omvar/copyright ./usr/share/doc/omvar/changelog.gz \
  ./usr/share/applications/org.example.Omvar.desktop \
  ./usr/share/metainfo/org.example.Omvar.metainfo.xml \
  ./usr/share/icons/hicolor/32x32/apps/org.example.Omvar.png \
  ./usr/share/icons/hicolor/256x256/apps/org.example.Omvar.png; do
  grep -q " $file\( \|$\)" <<<"$contents" || fail "the package lacks $file"
done
! grep -Eq ' \./usr/(bin|lib)/' <<<"$contents" || fail "the package has files outside /usr/games"
debug_contents=$(dpkg-deb -c "$work"/omvar-dbgsym_*.deb)
grep -q '/usr/lib/debug/.build-id/.*\.debug$' <<<"$debug_contents" ||
  fail "the debugging symbols are not in omvar-dbgsym"

echo "== installing it"
installed=yes
DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install failed"; }
[ -x /usr/games/omvar ] || fail "/usr/games/omvar is not installed"
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.example.Omvar.desktop)

echo "== starting the game as its desktop entry does: $exec_line"
# The menu's quit button ("Zpět do Windows") has its centre at (456, 312) of its window.
# Its window class (WM_CLASS) must be the desktop entry's StartupWMClass. The sound worker
# reads the sounds once the menu is painted and the sound server answers.
# The game must draw on this X server whatever the caller's environment names: a headless
# test run often sets QT_QPA_PLATFORM=offscreen, and a Wayland session would be chosen first.
cat >"$work/session.sh" <<'SESSION'
set -u
export QT_QPA_PLATFORM=xcb PATH=/usr/local/bin:/usr/bin:/bin:/usr/games
unset WAYLAND_DISPLAY QT_SCALE_FACTOR
finish() {
  kill "${game:-}" 2>/dev/null
  echo "FAIL: $*" >&2
  exit 1
}
[ "$(command -v "$1")" = /usr/games/omvar ] || finish "$1 is not /usr/games/omvar"
timeout 60 strace -f -qq --seccomp-bpf -e trace=openat -o "$TRACE" "$@" &
game=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Omvar  v2\.0$' | head -n 1)
[ -n "$window" ] || finish "no window named 'Omvar  v2.0' appeared"
echo "window $window: $(xdotool getwindowgeometry "$window" | tr '\n' ' ')"
if command -v xprop >/dev/null; then
  class=$(xprop -id "$window" WM_CLASS)
  echo "$class"
  grep -q '"Omvar"$' <<<"$class" ||
    finish "the window's class is not the desktop entry's StartupWMClass, Omvar"
fi
if [ -n "${OMVAR_NO_NULL_SINK:-}" ]; then
  echo "no sound server ($OMVAR_NO_NULL_SINK): where the sounds are read from is not seen"
else
  sound='"/usr/share/games/omvar/Data4.dat", O_RDONLY'
  for _ in $(seq 300); do grep -q "$sound" "$TRACE" && break; sleep 0.1; done
  grep -q "$sound" "$TRACE" ||
    finish "the game did not read its sounds from /usr/share/games/omvar"
fi
xdotool mousemove --window "$window" 456 312 click 1
wait "$game"
status=$?
[ "$status" -eq 0 ] || echo "FAIL: the game ended with status $status" >&2
exit "$status"
SESSION
session=0
# shellcheck disable=SC2086 # the desktop entry's command line, split as a launcher does
TRACE=$work/trace xvfb-run -a -s "-screen 0 1024x768x24" \
  sh "$source/tests/sound/with-null-sink.sh" bash "$work/session.sh" $exec_line \
  >"$work/session.log" 2>&1 || session=$?
grep -v 'XDG_RUNTIME_DIR' "$work/session.log" || true
[ "$session" -eq 0 ] || fail "the installed game did not start and quit cleanly"

echo "== removing it"
DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" remove -y omvar >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get remove failed"; }
installed=no
for left in /usr/games/omvar /usr/share/games/omvar; do
  [ ! -e "$left" ] || fail "$left is left behind"
done
echo "PASS: the package builds, lints clean, installs, starts the game and goes again"

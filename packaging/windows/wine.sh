#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Windows program of the cross build under Wine in its own Wine prefix: ctest's
# emulator for every test program, and the runner of the unpacked program folder.
#   wine.sh [--qt <Qt prefix>] [--qtest] <Wine prefix> <program.exe> [arguments...]
# --qt puts Qt's and MinGW's libraries on Wine's PATH (without it, the program's folder must
# bring everything it loads). --qtest is for Qt Test programs: Wine 8 passes none of their
# output through, so their log goes to a file that is printed when they end.
# The Wine prefix is made on first use, under a lock, so that programs starting together
# wait for one another. The exit code is the program's.
set -euo pipefail
qt=
qtest=
while [ "${1:-}" = --qt ] || [ "${1:-}" = --qtest ]; do
  case "$1" in
    --qt) qt=$2; shift 2 ;;
    --qtest) qtest=1; shift ;;
  esac
done
mkdir -p "${1:?usage: wine.sh [--qt <Qt prefix>] [--qtest] <Wine prefix> <program.exe> [arguments...]}"
WINEPREFIX=$(cd "$1" && pwd) # Wine takes only an absolute one
export WINEPREFIX
shift
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine.sh: $wine is missing (Debian: wine64)" >&2; exit 1; }

# No .NET, no Gecko, and no menu builder, which would copy the Start-menu entries an
# installer makes into the desktop menus of the user running the tests.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -n "$qt" ]; then
  # Wine's PATH takes Windows paths; the host's root is drive Z:.
  folders=("$qt/bin")
  for dll in libstdc++-6.dll libwinpthread-1.dll; do
    folders+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")")")
  done
  WINEPATH=$(printf 'Z:%s;' "${folders[@]}" | tr / '\\')
  export WINEPATH
fi

(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

[ -n "$qtest" ] || exec "$wine" "$@"
# Wine's own processes (services, the desktop) outlive the program and would keep ctest's
# pipes open until the last Wine program ends: the program's output goes to files instead.
log=$(mktemp --suffix=.txt)
status=0
"$wine" "$@" -o "$log,txt" >"$log.out" 2>&1 </dev/null || status=$?
cat "$log" "$log.out"
rm -f "$log" "$log.out"
exit "$status"

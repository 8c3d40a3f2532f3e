#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build as a player on a Czech Windows gets it: the zip unpacked (the program,
# its sounds, what it loads and the licences of all of it, nothing more) and the game played
# under Wine in a virtual X server under a window manager, with Wine's locale Czech: the
# menu, "Nová hra", a hit and a miss, back to the menu, "Skóre", a save (stored with the
# Czech short date, the name in Windows-1250), "Zpět do Windows" and exit code 0, with the
# windows' titles as the window system holds them. Wine 8 leaves a window black when it
# opens wholly over another (the pause dialog, message boxes, the name entry), so those are
# judged by keys and files, not pixels.
# With --installed, the same game comes from the installer instead: "msiexec /i /qn"
# installs the folder the zip holds into the player's %LOCALAPPDATA%\Programs\Omvar, with
# a Start-menu entry that starts it there and an "Apps & features" entry (version 2.00);
# the installed game is played, its save lands in its own folder, and "msiexec /x /qn"
# removes the program and its entries and leaves the score table.
#   wine-play.sh <the zip> [--installed <the MSI>]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage="usage: wine-play.sh <the zip> [--installed <the MSI>]"
zip=${1:?$usage}
msi=
if [ $# -gt 1 ]; then
  [ "$2" = --installed ] || { echo "$usage" >&2; exit 2; }
  msi=${3:?$usage}
  [ -f "$msi" ] || { echo "SKIP: $msi is missing (packaging/windows/build.sh makes it)"; exit 77; }
  command -v strings >/dev/null || { echo "SKIP: strings is missing"; exit 77; }
fi
for tool in Xvfb openbox xdotool xwininfo xprop import compare unzip iconv xclip; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[ -f "$zip" ] || { echo "SKIP: $zip is missing (cpack -G ZIP in the build folder makes it)"; exit 77; }
locale -a | grep -qix 'cs_CZ.utf-\?8' || { echo "SKIP: the cs_CZ.UTF-8 locale is not generated"; exit 77; }

work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  # Wine's server writes its prefix until it is told to end.
  WINEPREFIX=$work/wine /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$here/x-session.sh"

# The zip holds one folder: the program, its sounds, Qt's and MinGW's libraries and the
# plugins it loads, and the licences of all of them, nothing more.
unzip -q "$zip" -d "$work/unpacked"
program=$(find "$work/unpacked" -mindepth 1 -maxdepth 1)
expected=("Omvar  v2.0.exe" Data1.dat Data2.dat Data3.dat Data4.dat Qt6Core.dll Qt6Gui.dll
  Qt6Widgets.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll platforms/qwindows.dll
  styles/qwindowsvistastyle.dll imageformats/qico.dll imageformats/qjpeg.dll
  licenses/NOTICES.txt licenses/LICENSE.GPL-3.0.txt licenses/LICENSE.LGPL-3.0.txt
  licenses/LICENSE.Qt-third-party.txt licenses/LICENSE.GCC-runtime.txt
  licenses/LICENSE.mingw-w64.txt)
files_of() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | paste -sd'|'); }
holds_the_program() {
  [ "$(files_of "$1")" = "$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort | paste -sd'|')" ]
}
holds_the_program "$program" || fail "the zip holds: $(files_of "$program")"
# Every program and library of the folder is named in the notices, with its licence's file.
notices=$program/licenses/NOTICES.txt
for file in "${expected[@]}"; do
  case $file in *.dll | *.exe) ;; *) continue ;; esac
  grep -qF "${file//\//\\}" "$notices" || fail "NOTICES.txt does not name $file"
done
for text in $(grep -o 'LICENSE\.[A-Za-z0-9.-]*\.txt' "$notices" | sort -u); do
  [ -s "$program/licenses/$text" ] || fail "NOTICES.txt names licenses/$text, which is missing"
done
echo "zip holds the program folder and its licences"
# Stripped and with Qt built for size, as the player gets it (unstripped with Qt as it was,
# the zip was 20.1 MB, unpacking to 61.9 MB).
sizes="$(stat -c %s "$zip") bytes, unpacked $(du -sb "$program" | cut -f1)"
[ "${sizes%% *}" -le 8000000 ] && [ "${sizes##* }" -le 25000000 ] || fail "the zip is $sizes: over 8 or 25 MB"

start_x_session "$work"
game_class='^omvar  v2\.0\.exe$'
# A new Wine prefix, made in Czech before the game starts: that takes longer than a window
# may to appear.
export LANG=cs_CZ.UTF-8 # Wine takes its locale from it
wine=(env QT_QPA_PLATFORM=windows bash "$here/../../packaging/windows/wine.sh" "$work/wine")
# Wine's own processes outlive the game and would hold the caller's output open: files take
# what Wine and the game print.
"${wine[@]}" wineboot >"$work/wineboot.log" 2>&1
if [ -n "$msi" ]; then
  source "$here/wine-install.sh"
  install_the_msi # sets program to the installed folder
fi
(cd "$program" && exec "${wine[@]}" "Omvar  v2.0.exe" >"$work/game.log" 2>&1) &
game_pid=$!

# Wine starts more slowly than a window may take to appear elsewhere: up to 30 s.
for _ in 1 2 3; do menu=$(window_of_size 546x344 'Omvar  v2\.0$') && break; done
[ -n "$menu" ] || fail "the main menu did not appear"
names_are "$menu" "Omvar  v2.0" "the menu"
echo "menu shown"

click "$menu" 88 312 # "Nová hra"
board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not appear"
names_are "$board" "Omvar  v2.0" "the game screen"
echo "game screen shown"

# A figure is up when the light ring of its picture shows near its box's top edge.
figure_up() {
  local rgb
  rgb=$(import -window "$board" -crop 1x1+$(($1 + 24))+$(($2 + 5)) -depth 8 txt:- |
    sed -n 's/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p')
  set -- $rgb
  [ "${1:-0}" -gt 180 ] && [ "${2:-0}" -gt 180 ] && [ "${3:-0}" -gt 180 ]
}
# Clicks at (x, y) on the game screen and waits until the miss or the hit counter changes.
shoot() {
  grab "$board" 57x25+720+48 hits-before
  grab "$board" 57x25+720+16 misses-before
  click "$board" "$1" "$2"
  for _ in $(seq 50); do
    grab "$board" 57x25+720+48 hits-after
    grab "$board" 57x25+720+16 misses-after
    same hits-before hits-after && same misses-before misses-after || return 0
    sleep 0.1
  done
  fail "a shot at $1,$2 changed no counter"
}

# A figure that is up is shot at once; one gone before the click arrived makes a miss, and
# then "Návrat do Menu" and "Nová hra" start the counters afresh.
hit=""
for _ in $(seq 40); do
  for box in "240 280" "376 288" "512 280" "512 424" "240 424"; do
    figure_up $box && { hit=$box; break; }
  done
  [ -n "$hit" ] || { sleep 0.2; continue; }
  set -- $hit
  shoot $(($1 + 24)) $(($2 + 24))
  same hits-before hits-after || break
  echo "the figure went before the click arrived: a new game"
  hit=""
  click "$board" 728 152 # "Návrat do Menu"
  menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
  click "$menu" 88 312 # "Nová hra"
  board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not come back"
done
[ -n "$hit" ] || fail "no figure was hit"
echo "figure hit"
shoot 320 480 # the house front, away from every figure
same hits-before hits-after || fail "a shot at the house front counted as a hit"
echo "house front missed"

# From here every window opens over another, so Wine leaves it black: keys and files judge.
click "$board" 728 184 # "Zastavit hru"
pause=$(window_of_size 579x183 '.*') || fail "the pause dialog did not appear"
names_are "$pause" "" "the pause dialog"
click "$pause" 272 144 # "Návrat do Menu"
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
click "$menu" 88 224 # "Skóre": no score file yet, so a message comes first
box=$(message_box) || fail "the empty-table message did not appear"
names_are "$box" "Omvar v2.0" "the empty-table message"
xdotool key Return
table=$(window_of_size 497x271 'tabulka sk') || fail "the score table did not appear"
names_are "$table" "Omvar  v2.0 - tabulka skóre" "the score table"
click "$table" 308 248 # "Uložit dočasné skóre"
dialog=$(window_of_size 307x156 'Omvar  v2\.0$') || fail "the name entry dialog did not appear"
names_are "$dialog" "Omvar  v2.0" "the name entry dialog"
# The keys go to the dialog's name box; the dialog is black under Wine, so no pixel tells
# when it takes them: each step is given a moment.
# A Czech letter typed through xdotool reaches a Wine 8 program unreliably (lost, or the
# first one repeated), so the name is pasted from the X clipboard, which Wine hands to the
# program as text, as a player's paste would arrive.
name="Čestmír Šťastný"
enter_name() {
  click "$dialog" 152 72
  sleep 2
  printf '%s' "$name" | xclip -selection clipboard 2>/dev/null
  xdotool key ctrl+a ctrl+v
  sleep 2
  xdotool key Tab # to "Ok"
  sleep 0.5
  xdotool key Return
}
# Under load Wine sometimes drops the keys; while the dialog is still there, once more.
file=$program/Data5.dat
enter_name
for _ in $(seq 150); do [ -s "$file" ] && break; sleep 0.1; done
if [ ! -s "$file" ] && window_of_size 307x156 'Omvar  v2\.0$' >/dev/null; then
  echo "the keys were lost: the name once more"
  enter_name
fi
# One record: the name in Windows-1250, the counts, and today's date as Czech Windows writes
# it short: day, month and year with dots (Wine 8 puts a space after each dot, as newer
# Windows does, and older ones not).
for _ in $(seq 300); do [ "$(tail -c 1 "$file" 2>/dev/null)" = "" ] && [ -s "$file" ] && break; sleep 0.1; done
pattern="$(printf '%s' "$name" | iconv -f UTF-8 -t CP1250),1,1,2,0?$(date +%-d)\. ?0?$(date +%-m)\. ?$(date +%Y)"$'\r'
LC_ALL=C grep -qxE "$pattern" "$file" && [ "$(wc -l <"$file")" = 1 ] ||
  fail "Data5.dat holds: $(od -An -c "$file" | tr -s ' ' | tr -d '\n')"
echo "saved: $(iconv -f CP1250 -t UTF-8 "$program/Data5.dat" | tr -d '\r')"

click "$table" 432 248 # "Zpět do Windows"
game_ends_with_0
[ -z "$msi" ] || uninstall_the_msi
echo "1 passed, 0 failed"

#!/usr/bin/env bash
# Plays the real game in a virtual X server under a window manager: the menu appears centred,
# "Nová hra" opens the 800 x 600 game screen, a visible figure is hit and the house front missed (checked on the
# counters' pixels), the pause dialog comes and goes, the game is saved under a name from
# the score table (checked in the bytes of Data5.dat), and "Zpět do Windows" ends the
# process with exit code 0. Every window's name is checked as the window system holds it.
# Waits are for conditions, each bounded.
set -euo pipefail

game=${1:?usage: play.sh <path to the omvar executable>}
for tool in Xvfb openbox xdotool xwininfo xprop import compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: the executable with its sound files beside it.
cp "$game" "$(dirname "$game")"/Data[1-4].dat "$work/"

source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"
start_x_session "$work"

(cd "$work" && exec ./"$(basename "$game")") &
game_pid=$!

menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the main menu did not appear"
[ "$(position_of "$menu")" = "239,212" ] || fail "the menu is not centred: $(position_of "$menu")"
names_are "$menu" "Omvar  v2.0" "the menu"
echo "menu centred"

click "$menu" 88 312 # "Nová hra"
board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not appear"
[ "$(position_of "$board")" = "112,84" ] || fail "the game screen is not centred"
names_are "$board" "Omvar  v2.0" "the game screen"
echo "game screen shown"

# A figure is up when the light outer ring of its picture shows near its box's top edge,
# where the window behind it is dark navy.
figure_up() {
  local x=$1 y=$2 rgb
  rgb=$(import -window "$board" -crop 1x1+$((x + 24))+$((y + 5)) -depth 8 txt:- |
    sed -n 's/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p')
  set -- $rgb
  [ "${1:-0}" -gt 180 ] && [ "${2:-0}" -gt 180 ] && [ "${3:-0}" -gt 180 ]
}
boxes=("240 280" "376 288" "512 280" "512 424" "240 424")

# Look at the screen for a figure that is up and click it straight away, then wait for the
# shot to show on the counters. Looking and clicking are two steps, so on a loaded machine
# the figure may go in between and the shot be a miss: then "Návrat do Menu" and "Nová hra"
# start the counters afresh and the search goes on. First the pause dialog comes and goes.
click "$board" 728 184 # "Zastavit hru"
pause=$(window_of_size 577x181 '.*') || fail "the pause dialog did not appear"
click "$pause" 456 144 # "Pokračovat ve hře"
hit_box=""
for _ in $(seq 40); do
  grab "$board" 57x25+720+48 hits-before
  grab "$board" 57x25+720+16 misses-before
  for box in "${boxes[@]}"; do
    if figure_up $box; then
      set -- $box
      click "$board" $(($1 + 24)) $(($2 + 24))
      hit_box=$box
      break
    fi
  done
  if [ -z "$hit_box" ]; then
    sleep 0.2
    continue
  fi
  for _ in $(seq 50); do
    grab "$board" 57x25+720+48 hits-after
    grab "$board" 57x25+720+16 misses-after
    if ! same hits-before hits-after || ! same misses-before misses-after; then break; fi
    sleep 0.1
  done
  if ! same hits-before hits-after; then
    same misses-before misses-after || fail "a hit changed the miss counter"
    break
  fi
  ! same misses-before misses-after || fail "a click on a figure changed no counter"
  echo "the figure went before the click arrived: a new game"
  hit_box=""
  click "$board" 728 152 # "Návrat do Menu"
  menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
  click "$menu" 88 312 # "Nová hra"
  board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not come back"
done
[ -n "$hit_box" ] || fail "no figure was hit"
echo "figure hit"

click "$board" 320 480 # the house front, away from every figure
sleep 0.3
grab "$board" 57x25+720+16 misses-after-miss
! same misses-after misses-after-miss || fail "the miss counter did not change"
echo "house front missed"

click "$board" 728 184 # "Zastavit hru"
pause=$(window_of_size 577x181 '.*') || fail "the pause dialog did not appear"
names_are "$pause" "" "the pause dialog" # no caption, so nothing for task lists to show
click "$pause" 272 144 # "Návrat do Menu"
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
click "$menu" 88 224 # "Skóre": no score file yet, so a message comes first
box=""
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Omvar v2\.0$' 2>/dev/null | head -n 1) && [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "the empty-table message did not appear"
names_are "$box" "Omvar v2.0" "the empty-table message"
xdotool key Return # the message box has the keyboard focus: its OK button
table=$(window_of_size 497x271 'tabulka sk') || fail "the score table did not appear"
names_are "$table" "Omvar  v2.0 - tabulka skóre" "the score table"
click "$table" 308 248 # "Uložit dočasné skóre"
dialog=$(window_of_size 307x156 'Omvar  v2\.0$') || fail "the name entry dialog did not appear"
names_are "$dialog" "Omvar  v2.0" "the name entry dialog"
click "$dialog" 152 72
xdotool type --window "$dialog" --delay 30 "Dido"
xdotool key --delay 30 Tab Return # Enter presses "Ok", which now has the focus
for _ in $(seq 50); do [ -s "$work/Data5.dat" ] && break; sleep 0.1; done
line=$(od -An -c "$work/Data5.dat" | tr -s ' ' | tr -d '\n')
grep -qE $'^Dido,1,1,2,[^,]+\r$' "$work/Data5.dat" || fail "Data5.dat holds: $line"
[ "$(wc -l <"$work/Data5.dat")" = 1 ] || fail "Data5.dat holds more than one line: $line"
echo "saved: $(head -c 40 "$work/Data5.dat" | tr -d '\r')"

click "$table" 432 248 # "Zpět do Windows"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then fail "the game did not end"; fi
wait "$game_pid" && code=0 || code=$?
game_pid=""
[ "$code" = 0 ] || fail "exit code $code"
echo "ended with exit code 0"
echo "1 passed, 0 failed"

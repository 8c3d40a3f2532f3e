#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays the real game in a virtual X server under the given window manager (openbox unless
# another is named): the menu appears centred with its frame and stays there over three
# returns from the game, "Nová hra" opens the 800 x 600 game screen, a visible figure is hit and the
# house front missed (checked on the counters' pixels), the pause dialog comes and goes, the
# game is saved under a name from the score table (checked in the bytes of Data5.dat), and
# "Zpět do Windows" ends the process with exit code 0. Every window's name is checked as the
# window system holds it, and every dialog and message stays in front of its screen, with
# the keyboard, when that screen is clicked. Other programs act on the windows too: a hidden
# menu they map is hidden again, a window they destroy counts as closed (a disabled one comes
# back), so a destroyed menu ends the game. Nothing is printed, X errors included. Waits are
# for conditions, each bounded. Under a nested Wayland compositor (see x-session.sh) the game
# starts as it does in that desktop's session, on the platform it chooses there: it is then
# found in the compositor's X server.
set -euo pipefail

game=${1:?usage: play.sh <path to the omvar executable> [window manager]}
wm=${2:-openbox}
for tool in Xvfb "${wm%-nested}" xdotool wmctrl xwininfo xprop import compare; do
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
start_x_session "$work" "$wm"

# Runs a check until it holds, for up to 5 s.
within_5s() { for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done; return 1; }
hex() { printf '0x%x' "$1"; }
root_windows() { xprop -root "$1" | sed 's/^[^#]*# //; s/,//g'; }

# Whether the window of that client size lies centred on the 1024 x 768 screen with the
# frame the window manager gave it, to the pixel (an odd pixel left over goes right and down).
# Some window managers state no frame for a window without one ("frameless").
frame_centred() {
  local id=$1 width=$2 height=$3 extents left right top bottom x y
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')
  [ -n "$extents" ] || [ "${4:-}" = frameless ] || return 1 # not framed yet
  IFS=', ' read -r left right top bottom <<<"${extents:-0, 0, 0, 0}"
  IFS=, read -r x y <<<"$(position_of "$id")"
  [ $((x - left)) = $(((1024 - width - left - right) / 2)) ] &&
    [ $((y - top)) = $(((768 - height - top - bottom) / 2)) ]
}

# Whether the window manager stacks window $1 above window $2 and has $1 active.
above_and_active() {
  local stacking=" $(root_windows _NET_CLIENT_LIST_STACKING) " top under
  top=$(hex "$1") under=$(hex "$2")
  # xfwm4 writes a second, empty window after the active one.
  [[ "$stacking" == *" $under "*"$top "* ]] &&
    [ "$(root_windows _NET_ACTIVE_WINDOW | cut -d ' ' -f 1)" = "$top" ]
}
# A dialog or message belongs to the screen that opened it; a click on that screen at x y
# leaves the dialog in front and active.
stays_in_front() {
  local dialog=$1 owner=$2 what=$3
  [ "$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed 's/^[^#]*# //')" = "$(hex "$owner")" ] ||
    fail "$what does not belong to its screen: $(xprop -id "$dialog" WM_TRANSIENT_FOR)"
  click "$owner" "$4" "$5"
  sleep 0.5 # the window manager and the game take the click
  within_5s above_and_active "$dialog" "$owner" ||
    fail "$what went behind its screen: stacking $(root_windows _NET_CLIENT_LIST_STACKING), active $(root_windows _NET_ACTIVE_WINDOW)"
}
# Qt's X11 messages are on, so that X errors show, each line marked with its level.
export XDG_RUNTIME_DIR=$work/runtime QT_LOGGING_RULES=qt.qpa.xcb.debug=true \
  QT_MESSAGE_PATTERN='%{type} %{category}: %{message}'
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
start_game() { (cd "$work" && exec ./"$(basename "$game")" >>"$work/console.txt" 2>&1) & game_pid=$!; }
# Nothing printed but Qt's X11 debugging lines (some end in an empty line), and no X error
# among them.
silent() {
  local said
  said=$(grep -v -e '^debug qt\.qpa\.xcb: ' -e '^$' "$work/console.txt"; grep 'XCB error' "$work/console.txt") || true
  [ -z "$said" ] || fail "the game printed: $said"
}
# Another program destroys the window, as `xdotool windowclose` does.
destroy() { xdotool windowclose "$1"; }
# Whether the window is unmapped and the window manager has let it go.
withdrawn() {
  xwininfo -id "$1" | grep -q IsUnMapped && [[ " $(root_windows _NET_CLIENT_LIST) " != *" $(hex "$1") "* ]]
}
start_game

menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the main menu did not appear"
within_5s frame_centred "$menu" 546 344 ||
  fail "the menu is not centred with its frame: at $(position_of "$menu"), $(xprop -id "$menu" _NET_FRAME_EXTENTS)"
[ "$(xprop -id "$menu" _NET_FRAME_EXTENTS | sed 's/.*= //')" != "0, 0, 0, 0" ] ||
  fail "the menu has no title bar"
names_are "$menu" "Omvar  v2.0" "the menu"
centred_at=$(position_of "$menu")
echo "menu centred with its frame at $centred_at"
for round in 1 2 3; do
  click "$menu" 88 312 # "Nová hra"
  board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not appear"
  case $round in
    2) # the hidden menu mapped by other programs
      wmctrl -i -a "$menu" && xdotool windowmap "$menu"
      sleep 0.5 # the window manager and the game take the mapping
      within_5s withdrawn "$menu" || fail "the menu mapped during a game stays: $(xwininfo -id "$menu" | grep 'Map State')" ;;
    3) destroy "$board" ;; # as "Návrat do Menu"
  esac
  [ "$round" = 3 ] || click "$board" 728 152 # "Návrat do Menu"
  menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
  within_5s frame_centred "$menu" 546 344 ||
    fail "return $round: the menu moved from $centred_at to $(position_of "$menu")"
done
echo "the menu stays centred over three returns from the game"

click "$menu" 88 312 # "Nová hra"
board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not appear"
within_5s frame_centred "$board" 800 600 frameless ||
  fail "the game screen is not centred: $(position_of "$board")"
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
pause=$(window_of_size 579x183 '.*') || fail "the pause dialog did not appear"
# Its thin frame, drawn around the 577 x 181 client area whatever the window manager does.
thin_frame() { import -window "$pause" -crop 1x1+0+90 -depth 8 txt:- | grep -q '#000000'; }
within_5s thin_frame || fail "the pause dialog has no frame"
stays_in_front "$pause" "$board" "the pause dialog" 100 100 # the sky: no shot, as the game is paused
echo "the pause dialog stays in front of the game screen"
click "$pause" 457 145 # "Pokračovat ve hře"
click "$board" 728 184 # "Zastavit hru"
pause=$(window_of_size 579x183 '.*') || fail "the pause dialog did not appear again"
destroy "$pause" # as "Pokračovat ve hře": the hit below needs the game running
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
pause=$(window_of_size 579x183 '.*') || fail "the pause dialog did not appear"
names_are "$pause" "" "the pause dialog" # no caption, so nothing for task lists to show
destroy "$board" # disabled, so it comes back, behind the dialog
board=$(behind_dialog=1 window_of_size 800x600 'Omvar  v2\.0$') ||
  fail "the destroyed game screen did not come back"
stays_in_front "$pause" "$board" "the pause dialog" 100 100
echo "a destroyed pause dialog lets the game go on, a destroyed paused game screen comes back"
click "$pause" 273 145 # "Návrat do Menu"
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back"
click "$menu" 88 224 # "Skóre": no score file yet, so a message comes first
box=$(message_box) || fail "the empty-table message did not appear"
names_are "$box" "Omvar v2.0" "the empty-table message"
stays_in_front "$box" "$menu" "the empty-table message" 20 20
input key Return # the message box has the keyboard focus: its OK button
table=$(window_of_size 497x271 'tabulka sk') || fail "the score table did not appear"
destroy "$table" # unloaded: the menu comes back, and "Skóre" reads the table again
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the menu did not come back for a destroyed score table"
click "$menu" 88 224 # "Skóre"
box=$(message_box) || fail "the empty-table message did not appear again"
xdotool key Return
table=$(window_of_size 497x271 'tabulka sk') || fail "the score table did not appear again"
names_are "$table" "Omvar  v2.0 - tabulka skóre" "the score table"
for attempt in 1 2; do
  click "$table" 308 248 # "Uložit dočasné skóre"
  dialog=$(window_of_size 307x156 'Omvar  v2\.0$') || fail "the name entry dialog did not appear ($attempt)"
  names_are "$dialog" "Omvar  v2.0" "the name entry dialog"
  stays_in_front "$dialog" "$table" "the name entry dialog" 20 20
  [ "$attempt" = 2 ] || destroy "$dialog" # as "Storno"
done
destroy "$table" # disabled, so it comes back, behind the dialog
table=$(behind_dialog=1 window_of_size 497x271 'tabulka sk') ||
  fail "the destroyed score table did not come back"
stays_in_front "$dialog" "$table" "the name entry dialog" 20 20
echo "the name entry dialog stays in front of the score table, destroyed or not"
# Typed as the keyboard does, to the window with the focus: the name box still has it.
input type --delay 30 "Dido"
input key --delay 30 Tab Return # Enter presses "Ok", which now has the focus
for _ in $(seq 50); do [ -s "$work/Data5.dat" ] && break; sleep 0.1; done
line=$(od -An -c "$work/Data5.dat" | tr -s ' ' | tr -d '\n')
grep -qE $'^Dido,1,1,2,[^,]+\r$' "$work/Data5.dat" || fail "Data5.dat holds: $line"
[ "$(wc -l <"$work/Data5.dat")" = 1 ] || fail "Data5.dat holds more than one line: $line"
echo "saved: $(head -c 40 "$work/Data5.dat" | tr -d '\r')"

click "$table" 432 248 # "Zpět do Windows"
game_ends_with_0
start_game
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the main menu did not appear for the second start"
destroy "$menu" # its exit sequence
game_ends_with_0
silent
echo "nothing printed"
echo "1 passed, 0 failed"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The real game under Wayland, in a Weston that shows its output in a virtual X server and
# takes that server's pointer and keyboard as its own, so that xdotool plays the game as a
# player at a Wayland desktop would: the menu appears as the reference picture has it; the
# maximise button of Qt's title bar leaves it as it is and the game goes on; the pause
# dialog and the name entry stay in front when their screens are clicked; typed keys reach
# the name entry and a save lands in Data5.dat; "Zpět do Windows" ends the game with exit
# code 0, and nothing is printed on the console all along. Then the pause dialog's
# behaviour tests run as Wayland clients, so that what only X11 has (the empty window name)
# is skipped there without a crash or a warning. Waits are for conditions, each bounded.
set -euo pipefail

game=${1:?usage: wayland.sh <omvar> <pause dialog test> <reference pictures folder>}
pause_test=${2:?}
references=${3:?}
for tool in Xvfb weston weston-debug xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"
start_x_session "$work" bare

# A session of its own: the compositor's socket lives in a private runtime folder. Weston
# draws no panel and animates nothing, so what it shows is the windows as they are.
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=omvar-wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '%s\n' '[shell]' panel-position=none startup-animation=none animation=none \
  close-animation=none focus-animation=none >"$work/weston.ini"
# Under the sanitizers, a leak that Mesa's EGL driver leaves (see tests/lsan-suppressions.txt)
# is matched by its library only when the whole stack is unwound.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
# --debug offers the scene graph: where each window is, top of the stack first. Weston's
# window leaves a strip of the X screen free below it: see press.
weston --config="$work/weston.ini" --backend=x11-backend.so --use-pixman --width=1024 \
  --height=736 --socket="$WAYLAND_DISPLAY" --debug >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] ||
  fail "weston did not start: $(cat "$work/weston.log")"

# A program folder of its own, with a score table so that "Skóre" opens it at once.
cp "$game" "$(dirname "$game")"/Data[1-4].dat "$work/"
printf 'Anna,1,1,2,1.1.2026\r\n' >"$work/Data5.dat"
(cd "$work" && exec env -u DISPLAY QT_QPA_PLATFORM=wayland ./"$(basename "$game")" \
  >"$work/console.txt" 2>&1) &
game_pid=$!

# Whether the game still runs and has printed nothing.
alive_and_silent() {
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended $1: $(cat "$work/console.txt")"
  [ ! -s "$work/console.txt" ] || fail "the game printed $1: $(cat "$work/console.txt")"
}

# The game's windows as Weston stacks them, top first: "X Y W H" of each surface, title bar
# included. Qt draws a title bar of 30 pixels and a border of 3 around a window that has one.
windows() {
  weston-debug scene-graph 2>/dev/null | awk '
    /role xdg_toplevel/ { found = 1; next }
    found && /position:/ {
      sub(/->/, ""); gsub(/[^0-9-]+/, " "); print $1, $2, $3 - $1, $4 - $2; found = 0
    }'
}
# Waits up to 10 s for the game's window of that client size, with a title bar when asked,
# and sets x y to its client area's top-left corner on the screen, and fx fy fw fh to the
# window's with its title bar and border.
window_of() {
  local width=$1 height=$2 border=0 title=0
  [ "${3:-}" != titled ] || border=3 title=27
  for _ in $(seq 100); do
    alive_and_silent "while a window of $width x $height was awaited"
    while read -r fx fy fw fh; do
      [ "$fw $fh" = "$((width + 2 * border)) $((height + 2 * border + title))" ] || continue
      x=$((fx + border)) y=$((fy + border + title))
      return 0
    done < <(windows)
    sleep 0.1
  done
  fail "no window of $width x $height: $(windows | tr '\n' ';')"
}

# Weston takes the X pointer's moves as relative ones, and after a click on a title bar
# button its pointer may lie elsewhere than the X pointer. It takes the pointer's position
# as it is when the pointer comes into its window, so each move leaves the window first.
point() { xdotool mousemove 512 760 mousemove "$1" "$2"; }
# A click at x y of the client area found last.
press() { point "$((x + $1))" "$((y + $2))" && xdotool click 1; }

# Weston has taken every event sent before and drawn the screen since when its pointer,
# moved to a corner of its output (each time the other one), is there and no repaint waits.
corner=0
settled() {
  local cx cy
  corner=$((1 - corner)) cx=$((4 + corner * 1016)) cy=4
  point "$cx" "$cy"
  for _ in $(seq 100); do
    weston-debug scene-graph 2>/dev/null | awk -v x="$cx" -v y="$cy" '
      /repaint status:/ { idle = /no repaint/ }
      /role wl_pointer-cursor/ { found = 1; next }
      found && /position:/ {
        sub(/->/, ""); gsub(/[^0-9-]+/, " "); found = 0
        there = $1 <= x && x < $3 && $2 <= y && y < $4
      }
      END { exit !(idle && there) }' && return 0
    sleep 0.1
  done
  fail "weston did not take the pointer to $cx, $cy"
}

# Whether the client area at x y shows the reference picture: text may be smoothed a little
# differently, a misplaced or covered control differs in thousands of pixels. A rectangle,
# when given, is left out of both (what was typed there).
shows() {
  local reference=$references/$1.png size
  size=$(identify -format '%wx%h' "$reference")
  import -window root -crop "$size+$x+$y" +repage "$work/shot.png"
  convert "$reference" ${2:+-fill black -draw "rectangle $2"} "$work/expected.png"
  convert "$work/shot.png" ${2:+-fill black -draw "rectangle $2"} "$work/shot.png"
  differing=$(compare -metric AE -fuzz 10% "$work/expected.png" "$work/shot.png" null: 2>&1 ||
    true)
  [ "$differing" -le 200 ] 2>/dev/null
}
# Waits up to 10 s for the client area at x y to show the reference picture.
showing() {
  for _ in $(seq 100); do shows "$@" && return 0; sleep 0.1; done
  fail "the window at $x, $y differs from $1.png in $differing pixels"
}

# The window found last becomes the owner of the dialogs that follow.
owner() { ox=$x oy=$y owner_frame=("$fx" "$fy" "$((fx + fw))" "$((fy + fh))"); }
# The dialog found last, whose client area shows the reference picture, stays in front when
# its owner is clicked at the first of two spots of the owner's client area that the dialog
# leaves uncovered: its pixels are still the reference's. It overlaps its owner, or the
# pixels would tell nothing. Usage: stays_in_front <reference> <left out> <spot> <spot>
stays_in_front() {
  local reference=$1 left_out=$2 spot sx sy
  showing "$reference" ${left_out:+"$left_out"}
  [ $((fx + fw)) -gt "${owner_frame[0]}" ] && [ "$fx" -lt "${owner_frame[2]}" ] &&
    [ $((fy + fh)) -gt "${owner_frame[1]}" ] && [ "$fy" -lt "${owner_frame[3]}" ] ||
    fail "$reference: the dialog does not overlap its owner"
  for spot in "$3" "$4"; do
    read -r sx sy <<<"$spot"
    sx=$((ox + sx)) sy=$((oy + sy))
    [ "$sx" -ge "$fx" ] && [ "$sx" -lt $((fx + fw)) ] && [ "$sy" -ge "$fy" ] &&
      [ "$sy" -lt $((fy + fh)) ] && continue
    point "$sx" "$sy" && xdotool click 1
    settled
    shows "$reference" ${left_out:+"$left_out"} ||
      fail "$reference: the dialog went behind its owner ($differing pixels differ)"
    return 0
  done
  fail "$reference: the dialog covers both spots of its owner"
}

window_of 546 344 titled
showing menu
echo "menu shown as the reference has it"

# The title bar's maximise button, the second from the right: a fixed-size window stays as
# it is, and the next click still reaches the game.
point "$((fx + fw - 40))" "$((fy + 15))" && xdotool click 1
settled
alive_and_silent "after a click on maximise"
showing menu
echo "maximise leaves the menu as it is"

press 88 312 # "Nová hra"
window_of 800 600
owner
press 728 184 # "Zastavit hru"
window_of 579 183
stays_in_front pause-dialog "" "20 20" "780 580" # the sky and the ground: no shot, as paused
echo "the pause dialog stays in front of the game screen"
press 273 145 # "Návrat do Menu"

window_of 546 344 titled
press 88 224 # "Skóre"
window_of 497 271 titled
owner
press 308 248 # "Uložit dočasné skóre"
window_of 307 156 titled
stays_in_front name-entry "8,56 298,88" "20 20" "477 20" # the name box left out: empty here
echo "the name entry stays in front of the score table"
# Typed as the keyboard does, to the window with the focus: the name box still has it.
xdotool type --delay 30 "Dido"
xdotool key --delay 30 Tab Return # Enter presses "Ok", which now has the focus
for _ in $(seq 50); do [ "$(wc -l <"$work/Data5.dat")" = 2 ] && break; sleep 0.1; done
grep -qE $'^Dido,0,0,0,[^,]+\r$' "$work/Data5.dat" ||
  fail "Data5.dat holds: $(od -An -c "$work/Data5.dat" | tr -s ' ' | tr -d '\n')"
echo "saved: $(tail -n 1 "$work/Data5.dat" | tr -d '\r')"

window_of 497 271 titled
press 432 248 # "Zpět do Windows"
game_ends_with_0
[ ! -s "$work/console.txt" ] || fail "the game printed: $(cat "$work/console.txt")"
echo "nothing printed on the console"

env -u DISPLAY QT_QPA_PLATFORM=wayland "$pause_test" PauseDialogTest >"$work/pause.txt" 2>&1 ||
  fail "the pause dialog tests failed: $(cat "$work/pause.txt")"
! grep -E '^(QWARN|QDEBUG|QSYSTEM|QCRITICAL)' "$work/pause.txt" ||
  fail "the pause dialog tests printed warnings"
echo "pause dialog shown and hidden under Wayland without a warning"
echo "1 passed, 0 failed"

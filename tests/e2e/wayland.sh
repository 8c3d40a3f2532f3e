#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The real game as a Wayland client, in a compositor that shows its output in a virtual X
# server and takes that server's pointer and keyboard as its own, so that xdotool plays the
# game as a player at a Wayland desktop would: Weston unless KDE's kwin_wayland or GNOME's
# mutter is named. The menu appears as the reference picture has it; the maximise button
# of Qt's title bar leaves it as it is and the game goes on; the pause dialog and the name
# entry stay in front when their screens are clicked; typed keys reach the name entry, a
# click on the score table behind it first, and a save lands in Data5.dat; "Zpět do
# Windows" ends the game with exit code 0, and nothing is printed on the console all along.
# Under Weston the pause dialog's behaviour tests then run as Wayland clients, so that what
# only X11 has (the empty window name) is skipped there without a crash or a warning.
# KWin draws the title bars (with no maximise button on a window of fixed size) and centres
# every window itself: each is looked for centred, and the game starts as in a KDE session,
# on the platform it chooses there. Under mutter, where the game runs on Wayland only when
# the player asks for it (QT_QPA_PLATFORM=wayland), mutter places the windows: the menu, the
# score table and the name entry are found where the screen differs from the empty desktop,
# and the journey goes from the menu to the save. Waits are for conditions, each bounded.
set -euo pipefail

game=${1:?usage: wayland.sh <omvar> <pause dialog test> <reference pictures folder> [weston | kwin_wayland | mutter]}
pause_test=${2:?}
references=${3:?}
compositor=${4:-weston}
tools=(weston weston-debug)
[ "$compositor" = weston ] || tools=("$compositor" Xwayland dbus-run-session)
for tool in Xvfb "${tools[@]}" xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null || true
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"
# Under the sanitizers, a leak that Mesa's EGL driver leaves (see tests/lsan-suppressions.txt)
# is matched by its library only when the whole stack is unwound.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
if [ "$compositor" != weston ]; then
  start_x_session "$work" "$compositor-nested"
  # The empty desktop, with the pointer parked where no window comes.
  input mousemove 1023 767
  sleep 0.5
  DISPLAY=$input_display import -window root "$work/desktop.png"
else
start_x_session "$work" bare

# A session of its own: the compositor's socket lives in a private runtime folder. Weston
# draws no panel and animates nothing, so what it shows is the windows as they are.
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=omvar-wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '%s\n' '[shell]' panel-position=none startup-animation=none animation=none \
  close-animation=none focus-animation=none >"$work/weston.ini"
# --debug offers the scene graph: where each window is, top of the stack first. Weston's
# window leaves a strip of the X screen free below it: see press.
weston --config="$work/weston.ini" --backend=x11-backend.so --use-pixman --width=1024 \
  --height=736 --socket="$WAYLAND_DISPLAY" --debug >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] ||
  fail "weston did not start: $(cat "$work/weston.log")"
unset DISPLAY
fi

# A program folder of its own, with a score table so that "Skóre" opens it at once.
cp "$game" "$(dirname "$game")"/Data[1-4].dat "$work/"
printf 'Anna,1,1,2,1.1.2026\r\n' >"$work/Data5.dat"
[ "$compositor" = kwin_wayland ] || export QT_QPA_PLATFORM=wayland
(cd "$work" && exec ./"$(basename "$game")" >"$work/console.txt" 2>&1) &
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
# The reference picture of the screen of that client size, and the part of it that stays as
# it is whatever the game shows (all of it but the typed name, the game screen's and the
# score table's buttons).
picture_of() {
  case $1x$2 in
    546x344) echo "menu - 546x290+0+0" ;; # "Pokračovat ve hře" enabled after a return
    800x600) echo "game-start - 114x90+672+136" ;;
    579x183) echo pause-dialog ;;
    497x271) echo "table-temporary-score - 497x40+0+228" ;;
    307x156) echo "name-entry 8,56_298,88" ;;
  esac
}
# Where the screen differs from the empty desktop ($work/desktop.png), the pointer parked in
# a corner left out, and a dialog's owner too when given: "W H X Y" of the part that does.
changed() {
  local cover=(-fill black -draw "rectangle 1000,740 1023,767") # the pointer
  input mousemove 1023 767
  DISPLAY=$input_display import -window root "$work/screen.png"
  [ -z "${mask:-}" ] || cover+=(-draw "rectangle $mask")
  convert \( "$work/desktop.png" "${cover[@]}" \) \( "$work/screen.png" "${cover[@]}" \) \
    -compose difference -composite -colorspace gray -threshold 4% -trim \
    -format '%w %h %X %Y' info: 2>/dev/null | tr -d +
}
# Waits up to 10 s for the game's window of that client size, with a title bar when asked,
# and sets x y to its client area's top-left corner on the screen, and fx fy fw fh to the
# window's with its title bar and border. KWin's title bar is 37 pixels high, with no
# border; Qt's (Weston's, mutter's) 30 pixels with a border of 3 around the window.
window_of() {
  local width=$1 height=$2 border=0 title=0 picture at_w at_h
  case $compositor in
    kwin_wayland)
      # Centred to the pixel, an odd pixel left over on either side.
      [ "${3:-}" != titled ] || title=37
      fw=$width fh=$((height + title))
      read -r -a picture <<<"$(picture_of "$width" "$height")"
      for _ in $(seq 100); do
        alive_and_silent "while a window of $width x $height was awaited"
        DISPLAY=$input_display import -window root "$work/screen.png"
        for fy in $(printf '%s\n' $(((768 - fh) / 2)) $(((769 - fh) / 2)) | uniq); do
          for fx in $(printf '%s\n' $(((1024 - fw) / 2)) $(((1025 - fw) / 2)) | uniq); do
            x=$fx y=$((fy + title))
            grabbed=1 shows "${picture[0]}" "${picture[1]:+${picture[1]//_/ }}" \
              "${picture[2]:-}" && return 0
          done
        done
        sleep 0.1
      done
      fail "no window of $width x $height centred, as ${picture[0]}.png has it" ;;
    mutter)
      # The one window shown, or the dialog beside the owner found last.
      fw=$((width + 6)) fh=$((height + 33))
      read -r -a picture <<<"$(picture_of "$width" "$height")"
      for _ in $(seq 100); do
        alive_and_silent "while a window of $width x $height was awaited"
        read -r at_w at_h fx fy <<<"$(changed)"
        if [ "$at_w $at_h" = "$fw $fh" ]; then
          x=$((fx + 3)) y=$((fy + 30))
          grabbed=1 shows "${picture[0]}" "${picture[1]:+${picture[1]//_/ }}" "${picture[2]:-}" &&
            return 0
        fi
        sleep 0.1
      done
      fail "no window of $width x $height: the screen changed in $(changed)" ;;
  esac
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
# The nested compositors take the pointer's position as it is.
point() {
  if [ "$compositor" = weston ]; then input mousemove 512 760 mousemove "$1" "$2"
  else input mousemove "$1" "$2"; fi
}
# A click at x y of the client area found last.
press() { point "$((x + $1))" "$((y + $2))" && input click 1; }

# Weston has taken every event sent before and drawn the screen since when its pointer,
# moved to a corner of its output (each time the other one), is there and no repaint waits.
# The nested compositors tell nothing of the kind: they are given half a second.
corner=0
settled() {
  local cx cy
  [ "$compositor" = weston ] || { sleep 0.5; return 0; }
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
# when given and not "-", is left out of both (what was typed there); a part (WxH+X+Y), when
# given, is all that is compared. With grabbed set, the screen grabbed last is looked at.
shows() {
  local reference=$references/$1.png size left_out=${2:-} part=${3:-}
  left_out=${left_out#-}
  size=$(identify -format '%wx%h' "$reference")
  if [ -n "${grabbed:-}" ]; then
    convert "$work/screen.png" -crop "$size+$x+$y" +repage "$work/shot.png"
  else
    DISPLAY=$input_display import -window root -crop "$size+$x+$y" +repage "$work/shot.png"
  fi
  convert "$reference" ${left_out:+-fill black -draw "rectangle $left_out"} \
    ${part:+-crop "$part" +repage} "$work/expected.png"
  convert "$work/shot.png" ${left_out:+-fill black -draw "rectangle $left_out"} \
    ${part:+-crop "$part" +repage} "$work/shot.png"
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
    point "$sx" "$sy" && input click 1
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
if [ "$compositor" = kwin_wayland ]; then
  [ -z "$(xdotool search --classname '^omvar$' 2>/dev/null)" ] ||
    fail "the game runs in the compositor's X server, not on Wayland"
  echo "the game runs on Wayland, its menu centred by KWin"
else
# The title bar's maximise button, the second from the right: a fixed-size window stays as
# it is, and the next click still reaches the game.
point "$((fx + fw - 40))" "$((fy + 15))" && input click 1
settled
alive_and_silent "after a click on maximise"
showing menu
echo "maximise leaves the menu as it is"
fi

if [ "$compositor" != mutter ]; then
press 88 312 # "Nová hra"
window_of 800 600
owner
press 728 184 # "Zastavit hru"
window_of 579 183
stays_in_front pause-dialog "" "20 20" "780 580" # the sky and the ground: no shot, as paused
echo "the pause dialog stays in front of the game screen"
press 273 145 # "Návrat do Menu"
window_of 546 344 titled
fi

press 88 224 # "Skóre"
window_of 497 271 titled
owner
press 308 248 # "Uložit dočasné skóre"
[ "$compositor" != mutter ] || mask="$fx,$fy $((fx + fw - 1)),$((fy + fh - 1))"
window_of 307 156 titled
mask=
if [ "$compositor" = mutter ]; then
  # mutter opens it beside its owner: the owner is clicked where the dialog is not.
  [ "$((ox + 20))" -lt "$fx" ] || [ "$((oy + 20))" -lt "$fy" ] ||
    fail "the name entry covers the spot of the score table to click"
  point "$((ox + 20))" "$((oy + 20))" && input click 1
  settled
  echo "the score table clicked behind the name entry"
else
  stays_in_front name-entry "8,56 298,88" "20 20" "477 20" # the name box left out: empty here
  echo "the name entry stays in front of the score table"
fi
# Typed as the keyboard does, to the window with the focus: the name box still has it.
input type --delay 30 "Dido"
input key --delay 30 Tab Return # Enter presses "Ok", which now has the focus
for _ in $(seq 50); do [ "$(wc -l <"$work/Data5.dat")" = 2 ] && break; sleep 0.1; done
grep -qE $'^Dido,0,0,0,[^,]+\r$' "$work/Data5.dat" ||
  fail "Data5.dat holds: $(od -An -c "$work/Data5.dat" | tr -s ' ' | tr -d '\n')"
echo "saved: $(tail -n 1 "$work/Data5.dat" | tr -d '\r')"

window_of 497 271 titled
press 432 248 # "Zpět do Windows"
game_ends_with_0
[ ! -s "$work/console.txt" ] || fail "the game printed: $(cat "$work/console.txt")"
echo "nothing printed on the console"

[ "$compositor" = weston ] || { echo "1 passed, 0 failed"; exit 0; }
env -u DISPLAY QT_QPA_PLATFORM=wayland "$pause_test" PauseDialogTest >"$work/pause.txt" 2>&1 ||
  fail "the pause dialog tests failed: $(cat "$work/pause.txt")"
! grep -E '^(QWARN|QDEBUG|QSYSTEM|QCRITICAL)' "$work/pause.txt" ||
  fail "the pause dialog tests printed warnings"
echo "pause dialog shown and hidden under Wayland without a warning"
echo "1 passed, 0 failed"

#!/usr/bin/env bash
# The real game under Wayland, in a headless Weston: the main menu is shown as the reference
# picture has it and the game prints nothing on the console; then the pause dialog's
# behaviour tests run as Wayland clients, so that what only X11 has (the empty window name)
# is skipped there without a crash or a warning. Waits are for conditions, each bounded.
set -euo pipefail

game=${1:?usage: wayland.sh <omvar> <pause dialog test> <reference menu.png>}
pause_test=${2:?}
reference=${3:?}
for tool in weston weston-screenshooter convert compare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A session of its own: the compositor's socket lives in a private runtime folder.
export XDG_RUNTIME_DIR=$work/runtime WAYLAND_DISPLAY=omvar-wayland QT_QPA_PLATFORM=wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
# Under the sanitizers, a leak that Mesa's EGL driver leaves (see tests/lsan-suppressions.txt)
# is matched by its library only when the whole stack is unwound.
[ -z "${ASAN_OPTIONS:-}" ] || export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0
# --debug offers the screenshot interface.
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --debug \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start: $(cat "$work/weston.log")"

cp "$game" "$(dirname "$game")"/Data[1-4].dat "$work/"
(cd "$work" && exec ./"$(basename "$game")" >"$work/console.txt" 2>&1) &
game_pid=$!

# The menu's client area in a screenshot, found by the About box: the blue of the screen
# is all in it, 345 x 249 at 192, 16 of the client area. Weston places a window where it
# likes.
menu_in_screenshot() {
  local shot box x y
  rm -f "$work"/shots/*.png
  (cd "$work/shots" && weston-screenshooter >/dev/null 2>&1) || return 1
  shot=$(ls "$work"/shots/*.png 2>/dev/null | head -n 1)
  [ -n "$shot" ] || return 1
  box=$(convert "$shot" -fill black +opaque '#0000FF' -format '%@' info: 2>/dev/null)
  [[ "$box" =~ ^345x249\+([0-9]+)\+([0-9]+)$ ]] || return 1
  x=$((BASH_REMATCH[1] - 192)) y=$((BASH_REMATCH[2] - 16))
  convert "$shot" -crop "546x344+$x+$y" +repage "$work/menu.png"
}
# Text may be smoothed a little differently; a misplaced or missing control differs in
# thousands of pixels. The menu may be caught while it is still being drawn.
as_the_reference() {
  differing=$(compare -metric AE -fuzz 10% "$reference" "$work/menu.png" null: 2>&1 || true)
  [ "$differing" -le 200 ] 2>/dev/null
}
mkdir "$work/shots"
differing=""
for _ in $(seq 100); do menu_in_screenshot && as_the_reference && break; sleep 0.1; done
[ -s "$work/menu.png" ] || fail "the menu did not appear"
as_the_reference || fail "the menu differs from the reference in $differing pixels"
echo "menu shown as the reference has it ($differing pixels differ)"

kill "$game_pid" 2>/dev/null || fail "the game ended by itself: $(cat "$work/console.txt")"
wait "$game_pid" 2>/dev/null || true
game_pid=""
[ ! -s "$work/console.txt" ] || fail "the game printed: $(cat "$work/console.txt")"
echo "nothing printed on the console"

"$pause_test" PauseDialogTest >"$work/pause.txt" 2>&1 || fail "the pause dialog tests failed: $(cat "$work/pause.txt")"
! grep -E '^(QWARN|QDEBUG|QSYSTEM|QCRITICAL)' "$work/pause.txt" ||
  fail "the pause dialog tests printed warnings"
echo "pause dialog shown and hidden under Wayland without a warning"
echo "1 passed, 0 failed"

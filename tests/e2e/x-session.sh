# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the real game: starts a virtual X server, 1024 x 768 at
# 24 bits, on a display no other server holds, and a window manager in it (openbox unless
# another is named, none when "bare" is asked for), and finds the game's windows in it.
# Sets DISPLAY, xvfb_pid and wm_pid (empty when bare), and makes Qt programs use that server
# whatever platform or Wayland session the caller has; the servers' logs go to the given
# folder. Waits (bounded) until each answers.
# Usage: start_x_session <folder> [bare | openbox | metacity | kwin_x11 | xfwm4]; then
# window_of_size <WxH> <name pattern>, and the helpers below that read, click and grab
# windows (grabs go to the folder $work).
start_x_session() {
  local folder=$1 wm=${2:-openbox}
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" \
    >"$folder/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n 1 "$folder/display") QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  wm_pid=
  if [ "$wm" != bare ]; then
    for _ in $(seq 100); do
      # Started again when it quit: a server that had this display number a moment ago
      # may still be ending, and clients that reach it first are turned away.
      if [ -z "$wm_pid" ] || ! kill -0 "$wm_pid" 2>/dev/null; then
        # Each window manager alone, as a desktop session starts it: no compositing (the
        # virtual server has no GL), KWin on X11 without its session manager.
        case $wm in
          metacity) metacity --no-composite ;;
          kwin_x11) KWIN_COMPOSE=N kwin_x11 --no-kactivities ;;
          xfwm4) dbus-run-session -- xfwm4 --compositor=off ;; # its settings come over D-Bus
          *) "$wm" ;;
        esac >>"$folder/$wm.log" 2>&1 &
        wm_pid=$!
      fi
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.1
    done
  fi
}

# The id of the game's visible window of that size whose name matches, waiting up to 10 s
# for it. Only the game's own windows count: the window manager's frames have their sizes.
# They are known by their X class name, Qt's by default; Wine's is the executable's name.
window_of_size() {
  local size=$1 id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --classname "${game_class:-^omvar\$}" 2>/dev/null); do
      [[ "$(xdotool getwindowname "$id" 2>/dev/null)" =~ $2 ]] || continue
      [ "$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')" = "$size" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

fail() { echo "FAIL: $*"; exit 1; }

# A window's name as the window system holds it, in both properties: _NET_WM_NAME, which
# window managers and task lists show, and the older WM_NAME.
name_of() {
  LC_ALL=C.UTF-8 xprop -id "$1" -notype "$2" |
    awk '/=/ { sub(/^[^=]*= ?/, ""); print; found = 1 } END { if (!found) print "(not set)" }' |
    sed 's/^"\(.*\)"$/\1/'
}
names_are() {
  local id=$1 expected=$2 what=$3 property value
  for property in _NET_WM_NAME WM_NAME; do
    value=$(name_of "$id" "$property")
    [ "$value" = "$expected" ] || fail "$what: $property is '$value', not '$expected'"
  done
}

position_of() { xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x "," y}'; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# A crop of a window as a PNG, to compare pixels.
grab() { import -window "$1" -crop "$2" +repage "$work/$3.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = "0" ]; }

# The id of the game's visible message box (caption "Omvar v2.0"), waiting up to 10 s.
message_box() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '^Omvar v2\.0$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for the game ($game_pid) to end, and fails unless it ended with exit code 0.
game_ends_with_0() {
  local code=0
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$game_pid" 2>/dev/null; then fail "the game did not end"; fi
  wait "$game_pid" || code=$?
  game_pid=""
  [ "$code" = 0 ] || fail "exit code $code"
  echo "ended with exit code 0"
}

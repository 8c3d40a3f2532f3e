# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the real game: starts a virtual X server, 1024 x 768 at
# 24 bits, on a display no other server holds, and a window manager in it (openbox unless
# another is named, none when "bare" is asked for), and finds the game's windows in it.
# Sets DISPLAY, xvfb_pid and wm_pid (empty when bare), and makes Qt programs use that server
# whatever platform or Wayland session the caller has; the servers' logs go to the given
# folder. Waits (bounded) until each answers.
# A Wayland desktop is a compositor nested in that server instead (mutter-nested for GNOME,
# kwin_wayland-nested for KDE), its output a window at the server's top-left corner, the
# size of the screen; the compositor takes the server's pointer and keyboard. Then DISPLAY
# is the compositor's own X server (XWayland), which the game's X windows and the readers
# below use, input_display the virtual server, which the robot's input goes to, and the
# game sees the desktop's session variables and chooses its platform itself.
# Usage: start_x_session <folder> [bare | openbox | metacity | kwin_x11 | xfwm4 |
# mutter-nested | kwin_wayland-nested]; then window_of_size <WxH> <name pattern>, and the
# helpers below that read, click and grab windows (grabs go to the folder $work).
start_x_session() {
  local folder=$1 wm=${2:-openbox}
  # ImageMagick's threads wait on each other for seconds on a loaded machine.
  export MAGICK_THREAD_LIMIT=1
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" \
    >"$folder/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n 1 "$folder/display") QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  wm_pid= input_display=$DISPLAY
  case $wm in
    *-nested) start_compositor "$folder" "${wm%-nested}"; return ;;
  esac
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

# The compositor alone, with a session bus of its own, in a private runtime folder; it runs
# a script once its X server is up, which tells that server's display and its key.
start_compositor() {
  local folder=$1 compositor=$2
  export XDG_RUNTIME_DIR=$folder/runtime XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME
  [ "$compositor" = mutter ] || XDG_CURRENT_DESKTOP=KDE
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf '#!/bin/sh\necho "$DISPLAY $XAUTHORITY" >%s/xwayland\nexec tail --pid=$PPID -f /dev/null\n' \
    "$folder" >"$folder/session.sh"
  chmod +x "$folder/session.sh"
  case $compositor in
    mutter)
      MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 dbus-run-session -- sh -c 'echo $$ >"$1/pid" &&
        exec mutter --nested --wayland --wayland-display=omvar-wayland -- "$1/session.sh"' \
        sh "$folder" ;;
    kwin_wayland)
      # Debian's kwin_wayland carries a file capability that a root without it in its bounding
      # set may not execute; a copy carries none.
      cp "$(command -v kwin_wayland)" "$folder/kwin_wayland"
      dbus-run-session -- sh -c 'echo $$ >"$1/pid" && exec "$1/kwin_wayland" --x11-display \
        "$DISPLAY" --socket omvar-wayland --xwayland --no-lockscreen --no-global-shortcuts \
        --no-kactivities --width 1024 --height 768 "$1/session.sh"' sh "$folder" ;;
  esac >"$folder/$compositor.log" 2>&1 &
  for _ in $(seq 150); do [ -s "$folder/xwayland" ] && break; sleep 0.1; done
  [ -s "$folder/xwayland" ] || fail "$compositor did not start: $(cat "$folder/$compositor.log")"
  wm_pid=$(cat "$folder/pid")
  read -r DISPLAY XAUTHORITY <"$folder/xwayland"
  export DISPLAY XAUTHORITY WAYLAND_DISPLAY=omvar-wayland
  unset QT_QPA_PLATFORM
}

# The robot's input: to the virtual server, which the compositor, if any, takes it from.
input() { DISPLAY=$input_display xdotool "$@"; }

# The id of the game's visible window of that size whose name matches, waiting up to 10 s
# for it. With behind_dialog set, the window is looked for behind a dialog that covers part
# of it, so what the compositor shows of it is not compared with its picture. Only the game's own windows count: the window manager's frames have their sizes.
# They are known by their X class name, Qt's by default; Wine's is the executable's name.
window_of_size() {
  local size=$1 id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --classname "${game_class:-^omvar\$}" 2>/dev/null); do
      [[ "$(xdotool getwindowname "$id" 2>/dev/null)" =~ $2 ]] || continue
      [ "$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')" = "$size" ] &&
        { [ -n "${behind_dialog:-}" ] || on_screen "$id"; } && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

fail() { echo "FAIL: $*"; exit 1; }

# Whether the screen shows the window: a nested compositor shows an X window a moment after
# its X server has mapped it, and takes no click on it before. What it shows may differ from
# the window's picture a moment before in a tenth of it at most (the game's figures and its
# clock, the pointer); what lay there before differs in far more. Elsewhere the X server's
# map is the showing.
on_screen() {
  [ "$input_display" != "$DISPLAY" ] || return 0
  local size at differing
  size=$(xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
  IFS=, read -r -a at <<<"$(position_of "$1")"
  import -window "$1" "$work/window.png" 2>/dev/null &&
    DISPLAY=$input_display import -window root -crop "$size+${at[0]}+${at[1]}" +repage \
      "$work/shown.png" || return 1
  differing=$(compare -metric AE -fuzz 10% "$work/window.png" "$work/shown.png" null: 2>&1) || true
  [ "$((${differing%% *} * 10))" -le "$((${size%x*} * ${size#*x}))" ] 2>/dev/null
}

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
# A click at x y of a window: where the window lies on the screen, which the compositor's
# output shows at the same spot.
click() {
  local at
  IFS=, read -r -a at <<<"$(position_of "$1")"
  input mousemove "$((at[0] + $2))" "$((at[1] + $3))" click 1
}
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

# Sourced by the scripts that run the real game: starts a virtual X server, 1024 x 768 at
# 24 bits, on a display no other server holds, and openbox in it unless
# "bare" is asked for. Sets DISPLAY, xvfb_pid and wm_pid (empty when bare), and makes Qt
# programs use that server whatever platform or Wayland session the caller has; the
# servers' logs go to the given folder. Waits (bounded) until each answers.
# Usage: start_x_session <folder> [bare]
start_x_session() {
  local folder=$1
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" \
    >"$folder/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.1; done
  export DISPLAY=:$(head -n 1 "$folder/display") QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  wm_pid=
  if [ "${2:-}" != bare ]; then
    openbox >"$folder/openbox.log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.1
    done
  fi
}

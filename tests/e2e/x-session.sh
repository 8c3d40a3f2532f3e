# Sourced by the scripts that run the real game: starts a virtual X server, 1024 x 768 at
# 24 bits, on a random display (other runs may have theirs), and openbox in it unless
# "bare" is asked for. Sets DISPLAY, xvfb_pid and wm_pid (empty when bare); the servers'
# logs go to the given folder. Waits (bounded) until each answers.
# Usage: start_x_session <folder> [bare]
start_x_session() {
  local folder=$1
  export DISPLAY=:$((200 + RANDOM % 600))
  Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$folder/xvfb.log" 2>&1 &
  xvfb_pid=$!
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

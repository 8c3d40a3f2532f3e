#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays the real game as a player would, in a virtual X server under a window manager, with
# its sound going to a PulseAudio null sink whose monitor is recorded: menu buttons in turn,
# "Nová hra", misses, clicks on the sky, a hit, the game screen's buttons, at uneven gaps of
# 0.3 to 1.5 s, and twice a gap of 4 s, long enough for the sound device to rest. Every click must give its own sound, in order, recognised in the recording
# by the opening of its sound file; and the game must print nothing on the console.
# Run it through tests/sound/with-null-sink.sh.
# Usage: sounds.sh <omvar executable> <sound_onsets executable>
set -euo pipefail

game=${1:?usage: sounds.sh <omvar executable> <sound_onsets executable>}
onsets=${2:?usage: sounds.sh <omvar executable> <sound_onsets executable>}
for tool in Xvfb openbox xdotool xwininfo xdpyinfo xprop import convert parecord pactl; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
if [ -z "${OMVAR_NULL_SINK_MONITOR:-}" ]; then
  echo "SKIP: no PulseAudio null sink: ${OMVAR_NO_NULL_SINK:-run through with-null-sink.sh}"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  local started
  for started in "${game_pid:-}" "${record_pid:-}" "${wm_pid:-}" "${xvfb_pid:-}"; do
    if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A program folder of its own: the executable with its sound files beside it. A runtime
# folder of its own too, as a desktop session gives one (Qt warns without it).
cp "$game" "$(dirname "$game")"/Data[1-4].dat "$work/"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run

source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"
start_x_session "$work"

# The recording runs from before the first click to after the last sound; the null sink
# takes up to two seconds to begin feeding a new one.
parecord --raw --format=s16le --channels=1 --rate=44100 --latency-msec=10 \
  --device="$OMVAR_NULL_SINK_MONITOR" "$work/heard.raw" &
record_pid=$!
for _ in $(seq 100); do [ -s "$work/heard.raw" ] && break; sleep 0.1; done
[ -s "$work/heard.raw" ] || fail "parecord records nothing from $OMVAR_NULL_SINK_MONITOR"

# A temporary folder of its own, to see that the game leaves nothing in it while it runs.
# The game runs at real-time priority where that is allowed, so that the load of the machine
# does not take the processor from its sound threads (see realtime.sh).
mkdir "$work/tmp"
realtime=$(cd "$(dirname "${BASH_SOURCE[0]}")/../sound" && pwd)/realtime.sh
(cd "$work" && TMPDIR=$work/tmp exec "$realtime" ./"$(basename "$game")" >"$work/console.log" 2>&1) &
game_pid=$!
menu=$(window_of_size 546x344 'Omvar  v2\.0$') || fail "the main menu did not appear"
# The sound device opens beside the menu, and a click before it is open is silent by design;
# on a busy machine that takes longer than the menu. Its stream on the server tells that the
# slow part (loading the library, connecting) is over; the second after is for the rest.
for _ in $(seq 200); do
  pactl list short sink-inputs 2>/dev/null | grep -q . && break
  sleep 0.1
done
pactl list short sink-inputs 2>/dev/null | grep -q . || fail "the game opened no sound stream"
sleep 1

# Sound numbers as the files are numbered: 1 hit, 2 alert, 3 miss, 4 button.
gaps=(0.45 1.2 0.3 4.0 1.5 0.35 0.9 0.6 1.1 0.4 4.0 1.3 0.5 1.0 0.55 0.85 0.65 1.4 0.3 0.75)
clicks=0
expected=()
# Clicks at (x, y) in the window and notes the sound it must give, then waits the next gap
# less the time already spent since the click (finding windows, reading pixels).
click() {
  local window=$1 x=$2 y=$3 sound=$4
  xdotool mousemove --window "$window" "$x" "$y" click 1
  click_at=$EPOCHREALTIME
  expected+=("$sound")
  clicks=$((clicks + 1))
}
pause_rest() {
  local gap=${gaps[$(((clicks - 1) % ${#gaps[@]}))]}
  local rest
  rest=$(awk -v g="$gap" -v a="$click_at" -v b="$EPOCHREALTIME" 'BEGIN { r = g - (b - a); print (r > 0 ? r : 0) }')
  sleep "$rest"
}

click "$menu" 88 112 4; pause_rest # "O programu"
click "$menu" 88 168 4; pause_rest # "Váš úkol"
click "$menu" 88 112 4; pause_rest
click "$menu" 88 168 4; pause_rest
[ -z "$(ls -A "$work/tmp")" ] || fail "the running game keeps files in TMPDIR: $(ls -A "$work/tmp")"
click "$menu" 88 312 4 # "Nová hra"
board=$(window_of_size 800x600 'Omvar  v2\.0$') || fail "the game screen did not appear"
pause_rest
click "$board" 320 480 3; pause_rest # the house front: a miss
click "$board" 100 60 2; pause_rest  # the sky
click "$board" 360 480 3; pause_rest

# A hit: pause, find a figure that is up, resume and shoot it at once (after a resume the
# figure timers start afresh, so it stays up for a while).
boxes=("240 280" "376 288" "512 280" "512 424" "240 424")
hit_box=""
for _ in $(seq 5); do
  click "$board" 728 184 4 # "Zastavit hru"
  pause=$(window_of_size 579x183 '.*') || fail "the pause dialog did not appear"
  import -window "$board" "$work/board.png"
  up=$(for box in "${boxes[@]}"; do
    set -- $box
    convert "$work/board.png" -format "%[fx:p{$(($1 + 24)),$(($2 + 5))}.intensity > 0.7 ? 1 : 0]" info:
    echo
  done)
  index=$(grep -n -m 1 '^1$' <<<"$up" | cut -d: -f1 || true)
  pause_rest
  click "$pause" 457 145 4 # "Pokračovat ve hře"
  if [ -n "$index" ]; then
    hit_box=${boxes[$((index - 1))]}
    sleep 0.3
    set -- $hit_box
    click "$board" $(($1 + 24)) $(($2 + 24)) 1
    pause_rest
    break
  fi
  pause_rest
done
[ -n "$hit_box" ] || fail "no figure was ever up"

click "$board" 320 480 3; pause_rest
click "$board" 728 148 4; pause_rest # "Návrat do Menu"
click "$menu" 272 312 4; pause_rest  # "Pokračovat ve hře"
click "$board" 100 60 2; pause_rest
click "$board" 728 148 4             # "Návrat do Menu"
sleep 1.5                            # the last sound plays out
kill "$record_pid"
wait "$record_pid" 2>/dev/null || true
record_pid=""

echo "$clicks clicks"
list=$(IFS=,; echo "${expected[*]}")
"$onsets" "$work/heard.raw" "$list" "$work"/Data1.dat "$work"/Data2.dat "$work"/Data3.dat \
  "$work"/Data4.dat || fail "the sounds heard are not one per click, in order"

click "$menu" 456 312 0 # "Zpět do Windows", silent
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then fail "the game did not end"; fi
game_pid=""
[ ! -s "$work/console.log" ] || fail "the game printed: $(head -c 2000 "$work/console.log")"
echo "1 passed, 0 failed"

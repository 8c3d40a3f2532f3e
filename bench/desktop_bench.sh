#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# The real game in a virtual X server under openbox, beside a bare Qt window (bare_window)
# as the floor:
#  - start-up: from launching the process to its first top-level window being mapped, and
#    to the last change of the screen's pixels before 400 ms without any (paint_watch: the
#    X server's DAMAGE on the root window and everything in it), RUNS times each, the
#    programs alternating in every round;
#  - memory: peak (VmHWM) and resident (VmRSS) 2 s after the window was mapped;
#  - idle: CPU (utime + stime) and wake-ups (context switches of all threads) over 10 s;
#  - the game running: CPU over 10 s without clicks, then over 100 clicks 100 ms apart on
#    the house front (misses, each with its sound): on one spot, then alternating between
#    two spots so that no click pairs up with the one before as a double-click.
# Sounds go to whatever PulseAudio server the environment names; run the script under
# tests/sound/with-null-sink.sh for one that plays into nothing.
# Given an earlier build as well, its game (omvar-before) takes turns with the two in the
# start-up and memory runs, so that before and after are measured side by side.
#
# Usage: bench/desktop_bench.sh <build dir> [runs] [earlier build dir]
set -euo pipefail

build=${1:?usage: desktop_bench.sh <build dir> [runs] [earlier build dir]}
runs=${2:-10}
before=${3:-}
for tool in Xvfb openbox xdotool xwininfo xdpyinfo stdbuf; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
    local started
    for started in "${pid:-}" "${WATCH_PID:-}" "${wm_pid:-}" "${xvfb_pid:-}"; do
        if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own: no score file, the sound files beside the executable.
cp "$build/bin/omvar" "$build/bin"/Data[1-4].dat "$build/bench/bare_window" "$work/"
watch=$build/bench/paint_watch
[ -x "$watch" ] || { echo "$watch is missing (Debian: libxdamage-dev, then build it)" >&2; exit 1; }
programs=(omvar bare_window)
if [ -n "$before" ]; then
    cp "$before/bin/omvar" "$work/omvar-before"
    programs+=(omvar-before)
fi
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run

source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/x-session.sh"
start_x_session "$work"

ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'; }
# Runs the command in the background with paint_watch watching the screen; writes the
# milliseconds from its start to a window mapped and to the last paint to the file $1,
# and sets started to the command's process.
watched() {
    local out=$1 ready t0 mapped painted
    shift
    coproc WATCH { exec "$watch"; }
    read -r -u "${WATCH[0]}" ready
    t0=$EPOCHREALTIME
    "$@" &
    started=$!
    read -r -u "${WATCH[0]}" mapped painted || { echo "no window was painted" >&2; return 1; }
    wait "$WATCH_PID" 2>/dev/null || true
    echo "$(ms "$t0" "$mapped") $(ms "$t0" "$painted")" >"$out"
}
run_program() { cd "$work" && exec "./$1" >>"$work/$1.log" 2>&1; }
# Starts a program from the program folder, sets pid, and appends its start-up times
# to <program>.mapped and <program>.painted.
launch() {
    watched "$work/times" run_program "$1"
    pid=$started
    read -r mapped painted <"$work/times"
    echo "$mapped" >>"$work/$1.mapped"
    echo "$painted" >>"$work/$1.painted"
}
stop() {
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
}
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
status_kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ { n += $2 } END { print n }'; }
hz=$(getconf CLK_TCK)
# CPU of $1 while the rest of the command runs: "<cpu ms> <wall ms>".
cpu_during() {
    local p=$1 c0 c1 t0
    shift
    c0=$(cpu_ticks "$p")
    t0=$EPOCHREALTIME
    "$@"
    c1=$(cpu_ticks "$p")
    awk -v c="$((c1 - c0))" -v hz="$hz" -v a="$t0" -v b="$EPOCHREALTIME" \
        'BEGIN { printf "%.0f %.0f\n", c * 1000 / hz, (b - a) * 1000 }'
}
summary() { sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "median %.1f, range %.1f to %.1f (%d runs)\n", m, v[1], v[NR], NR }'; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "sound server: ${PULSE_SERVER:-default}"

for program in "${programs[@]}"; do : >"$work/$program.mapped"; : >"$work/$program.painted"; : >"$work/$program.hwm"; done
for run in $(seq "$runs"); do
    for program in "${programs[@]}"; do
        launch "$program"
        sleep 2
        status_kb "$pid" VmHWM >>"$work/$program.hwm"
        if [ "$run" -eq 1 ]; then
            rss=$(status_kb "$pid" VmRSS)
            s0=$(switches "$pid")
            read -r idle_cpu idle_wall < <(cpu_during "$pid" sleep 10)
            s1=$(switches "$pid")
            echo "$program idle: ${idle_cpu} ms CPU in ${idle_wall} ms, $((s1 - s0)) context" \
                "switches; VmRSS ${rss} kB"
        fi
        stop
    done
done
for program in "${programs[@]}"; do
    echo "$program start-up to mapped window, ms: $(summary <"$work/$program.mapped")"
    echo "$program start-up to last paint, ms: $(summary <"$work/$program.painted")"
    echo "$program VmHWM with the window up, kB: $(summary <"$work/$program.hwm")"
done
# Each run's start-up over the bare window's in the same round: a busy machine slows whole
# rounds, and the ratio of neighbours is steadier than the ratio of two medians.
for measure in mapped painted; do
    for program in "${programs[@]}"; do
        [ "$program" = bare_window ] && continue
        echo "$program start-up to $measure in % of the bare window's in the same round:" \
            "$(paste "$work/$program.$measure" "$work/bare_window.$measure" |
                awk '{ printf "%.1f\n", 100 * $1 / $2 }' | summary)"
    done
done

# Every round for the record: each program's start-up in ms, then each game's in % of the
# bare window's (the second column).
for measure in mapped painted; do
    files=()
    for program in "${programs[@]}"; do files+=("$work/$program.$measure"); done
    echo "start-up to $measure per round, ms: ${programs[*]}; then each game in % of bare_window"
    paste "${files[@]}" | awk '{ line = NR ":"; for (i = 1; i <= NF; i++) line = line " " $i
        for (i = 1; i <= NF; i++) if (i != 2) line = line sprintf(" %.1f%%", 100 * $i / $2)
        print line }'
done

# A game: "Nová hra" at the centre of its button, client (32, 296) size 113 x 33.
launch omvar
sleep 2
menu=$(xdotool search --onlyvisible --name '^Omvar  v2\.0$' | head -1)
xdotool mousemove --window "$menu" 88 312
sleep 0.2
# Without --delay 0 xdotool waits 100 ms after the click, which would count as the game's.
watched "$work/times" xdotool click --delay 0 1
read -r mapped painted <"$work/times"
echo "game screen mapped $mapped ms, painted $painted ms after the click on \"Nová hra\""
board=$(xdotool search --onlyvisible --name '^Omvar  v2\.0$' | head -1)
read -r play_cpu play_wall < <(cpu_during "$pid" sleep 10)
echo "game running, no clicks: ${play_cpu} ms CPU in ${play_wall} ms"
read -r click_cpu click_wall < <(cpu_during "$pid" \
    xdotool mousemove --window "$board" 320 480 click --repeat 100 --delay 100 1)
echo "game running, 100 clicks on the house front: ${click_cpu} ms CPU in ${click_wall} ms"
# A second press this soon on the same spot is a double-click, which is not a shot: only
# every other click above counts. Alternating between two points 40 px apart, each counts.
alternating=()
for _ in $(seq 50); do
    alternating+=(mousemove --window "$board" 360 480 click 1 sleep 0.1
        mousemove --window "$board" 320 480 click 1 sleep 0.1)
done
read -r shot_cpu shot_wall < <(cpu_during "$pid" xdotool "${alternating[@]}")
echo "game running, 100 clicks alternating between two points: ${shot_cpu} ms CPU in" \
    "${shot_wall} ms"
echo "game VmHWM after the clicks: $(status_kb "$pid" VmHWM) kB"
stop

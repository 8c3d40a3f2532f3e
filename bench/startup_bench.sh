#!/usr/bin/env bash
# Start-up, memory and "Nová hra" of one or more builds of the game beside a bare Qt window
# (bare_window), in one virtual X server, the programs taking turns run by run, so that
# their figures come from the same conditions:
#  - start-up: from launching the process to its first top-level window being mapped, as
#    the X server reports it (MapNotify on the root window, read from xev);
#  - memory: peak (VmHWM) 2 s after the window was mapped, the menu idle;
#  - "Nová hra": from the click on it (xdotool, no delay after the click) to the game
#    screen being mapped, and the peak memory afterwards.
# The time of a map is taken when xev reports it, so every figure includes the few
# milliseconds xev and this script take to see it.
# Sounds go to whatever PulseAudio server the environment names; run the script under
# tests/sound/with-null-sink.sh for one that plays into nothing.
#
# Usage: bench/startup_bench.sh <runs> <name>=<build dir>...
#   e.g. bench/startup_bench.sh 10 before=/tmp/build-main after=build
set -euo pipefail

runs=${1:?usage: startup_bench.sh <runs> <name>=<build dir>...}
shift
[ $# -gt 0 ] || { echo "name at least one build: <name>=<build dir>" >&2; exit 1; }
for tool in Xvfb xev xdotool xdpyinfo stdbuf; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
    local started
    for started in "${pid:-}" "${XEV_PID:-}" "${xvfb_pid:-}"; do
        if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder of its own for each build: no score file, the sound files beside it.
programs=()
for named in "$@"; do
    name=${named%%=*}
    build=${named#*=}
    mkdir "$work/$name"
    cp "$build/bin/omvar" "$build/bin"/Data[1-4].dat "$work/$name/"
    programs+=("$name")
    bare=$build/bench/bare_window
done
mkdir "$work/bare"
cp "$bare" "$work/bare/omvar"
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
unset QT_QPA_PLATFORM

# shellcheck source=bench/xsession.sh
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

peak_kb() { awk '$1 == "VmHWM:" { print $2 }' "/proc/$pid/status"; }
# Median and range of the numbers on standard input, with $1 digits after the point.
median() { sort -n | awk -v d="${1:-1}" '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    f = "%." d "f"
    printf f " (" f " to " f ")", m, v[1], v[NR] }'; }

echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg), $(date -u '+%Y-%m-%d %H:%M UTC')"
for _ in $(seq "$runs"); do
    for program in bare "${programs[@]}"; do
        drain
        t0=$EPOCHREALTIME
        (cd "$work/$program" && exec ./omvar >>"$work/$program.log" 2>&1) &
        pid=$!
        wait_for_map "$t0" >>"$work/$program.startup"
        sleep 2
        peak_kb >>"$work/$program.peak"
        if [ "$program" != bare ]; then
            # "Nová hra" at the centre of its button, client (32, 296) size 113 x 33.
            menu=$(xdotool search --onlyvisible --name '^Omvar  v2\.0$' | head -1)
            xdotool mousemove --window "$menu" 88 312
            sleep 0.2
            drain
            t0=$EPOCHREALTIME
            xdotool click --delay 0 1
            wait_for_map "$t0" >>"$work/$program.newgame"
            sleep 1
            peak_kb >>"$work/$program.gamepeak"
        fi
        kill "$pid"
        wait "$pid" 2>/dev/null || true
        pid=
    done
done

echo "| program | start-up to mapped, ms | VmHWM at the menu, kB | \"Nová hra\" to mapped, ms | VmHWM in the game, kB |"
echo "|---|---|---|---|---|"
for program in bare "${programs[@]}"; do
    if [ "$program" = bare ]; then
        echo "| bare_window | $(median <"$work/bare.startup") | $(median 0 <"$work/bare.peak") | | |"
    else
        echo "| $program | $(median <"$work/$program.startup") | $(median 0 <"$work/$program.peak") |" \
            "$(median <"$work/$program.newgame") | $(median 0 <"$work/$program.gamepeak") |"
    fi
done

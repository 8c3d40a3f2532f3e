# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the benchmarks that start the real game: a virtual X server of their own and
# the moments windows are mapped, as the X server reports them. The caller sets `work` (a
# scratch folder) before sourcing, and kills "$XEV_PID" and "$xvfb_pid" when done.

display=:$((300 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# One xev for the whole run, line-buffered, watching windows appear on the root window.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
sleep 0.5

# Forgets the events seen so far.
drain() { while read -r -t 0.3 -u "${XEV[0]}" _; do :; done; }

# Milliseconds from $1 (an EPOCHREALTIME) until the next window is mapped. The time is
# taken when xev's line is read, so whatever the caller did meanwhile counts too: a click
# must not wait after itself (`xdotool click --delay 0`).
wait_for_map() {
    local line
    while read -r -t 20 -u "${XEV[0]}" line; do
        if [[ $line == MapNotify* ]]; then
            awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'
            return 0
        fi
    done
    echo "no window was mapped" >&2
    return 1
}

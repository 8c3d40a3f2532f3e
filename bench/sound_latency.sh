#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Click-to-sound of the real game (bench/sound_latency.cpp) for one or more builds in one
# run, in a virtual X server under openbox, with sound going to a private PulseAudio null
# sink. Each build plays the same clicks at the same random gaps.
# Usage: bench/sound_latency.sh <sound_latency executable> <clicks> <seed> <omvar>...
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${OMVAR_NULL_SINK_MONITOR:-}" ]; then
    exec "$here/../tests/sound/with-null-sink.sh" "$0" "$@"
fi
for tool in Xvfb openbox xdotool xdpyinfo xprop; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
    local started
    for started in "${wm_pid:-}" "${xvfb_pid:-}"; do
        if [ -n "$started" ]; then kill "$started" 2>/dev/null || true; fi
    done
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
source "$here/../tests/e2e/x-session.sh"
start_x_session "$work"

echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
"$@"

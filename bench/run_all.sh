#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmarks of RESULTS.md in a release-like build and runs them: the 60-second
# games on the real clock in the background, the others meanwhile. The machine's load is
# printed before each, since other work on the machine shows directly in these numbers.
#
# Usage: bench/run_all.sh <build dir>   (run from anywhere; output as Markdown-ish text)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:?usage: run_all.sh <build dir>}
cmake -S "$here/.." -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" \
    --target omvar bare_window paint_watch click_bench game_timing_bench score_screen_bench >/dev/null

export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
games=$XDG_RUNTIME_DIR/games.txt
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
load() { echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"; }
null_sink=$here/../tests/sound/with-null-sink.sh

load
"$build/bench/game_timing_bench" 3 >"$games" 2>&1 &
games_pid=$!

echo "## Real window (Xvfb)"
"$null_sink" "$here/desktop_bench.sh" "$build" 10 || echo "(failed: exit status $?)"
load
echo "## Clicks"
"$null_sink" "$build/bench/click_bench" || echo "(failed: exit status $?)"
load
echo "## Score table screen"
"$build/bench/score_screen_bench" || echo "(failed: exit status $?)"
load
echo "## 60-second games"
wait "$games_pid" || echo "(failed: exit status $?)"
cat "$games"

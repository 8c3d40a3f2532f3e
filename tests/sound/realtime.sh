#!/bin/sh
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command at real-time priority (round robin, the lowest level) where the system
# allows it, as it does for root in CI, and as it is otherwise. On a busy machine the sound
# threads of a program at normal priority can wait longer than the 35 ms that OpenAL Soft
# mixes ahead: the sound server then plays silence in place of what comes too late, and a
# recording of the sink misses parts of sounds, or whole short ones, that were played.
# Usage: realtime.sh <command> [argument]...
if chrt -r 1 true 2>/dev/null; then
    exec chrt -r 1 "$@"
fi
exec "$@"

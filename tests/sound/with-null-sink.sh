#!/bin/sh
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command with a private PulseAudio server whose default sink is a null sink, so
# that sound can really be played and recorded back from the sink's monitor on a machine
# without a sound card. The command sees:
#   PULSE_SERVER              the server's socket (every PulseAudio client honours it)
#   OMVAR_NULL_SINK_MONITOR   the source to record the sink's output from
#   OMVAR_NULL_SINK_SERVER    null-sink-server.sh, and OMVAR_NULL_SINK_DIR its folder, to stop
#                             and start the server again on the same socket
# or, when no server could be started, OMVAR_NO_NULL_SINK with the reason instead.
# The server is stopped when the command has finished.
set -u

server=$(dirname "$0")/null-sink-server.sh
dir=$(mktemp -d "${TMPDIR:-/tmp}/omvar-pulse.XXXXXX") || exit 1
stop_server() {
    "$server" stop "$dir"
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 130' INT TERM

if reason=$("$server" start "$dir"); then
    export PULSE_SERVER="unix:$dir/native"
    export OMVAR_NULL_SINK_MONITOR="omvar_null.monitor"
    export OMVAR_NULL_SINK_SERVER="$server"
    export OMVAR_NULL_SINK_DIR="$dir"
else
    export OMVAR_NO_NULL_SINK="$reason"
    # Keep clients off any desktop server, so that "no server" really means no sound device.
    export PULSE_SERVER="unix:$dir/no-server"
fi

"$@"

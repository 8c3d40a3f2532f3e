#!/bin/sh
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts or stops a private PulseAudio server whose default sink is a null sink, in its own
# folder, with its native socket at <folder>/native. with-null-sink.sh runs it; a test may
# run it again to take the server away and bring it back on the same socket.
#   null-sink-server.sh start <folder>   prints the reason and fails when it cannot start
#   null-sink-server.sh stop <folder>    stops it (by its pid) and waits, at most 5 s
#
# The server runs in user mode. As root PulseAudio warns that user mode is not meant for
# root, and carries on; that is what CI needs. It loads no default script (-n), only the
# null sink and an anonymous native socket, and never exits on idle.
set -u
dir=$2

case "$1" in
start)
    if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v parecord >/dev/null 2>&1; then
        echo "pulseaudio and parecord are not installed (Debian: pulseaudio pulseaudio-utils)"
        exit 1
    fi
    if ! env XDG_RUNTIME_DIR="$dir" HOME="$dir" PULSE_RUNTIME_PATH="$dir/pulse" \
        PULSE_STATE_PATH="$dir/state" \
        pulseaudio --daemonize=yes --system=false -n --exit-idle-time=-1 --use-pid-file=yes \
        --log-target="file:$dir/server.log" \
        --load="module-null-sink sink_name=omvar_null rate=44100" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        >"$dir/start.log" 2>&1; then
        echo "pulseaudio did not start: $(cat "$dir/start.log" "$dir/server.log" 2>/dev/null | grep -m 1 'E:')"
        exit 1
    fi
    # --daemonize returns once the daemon reports its start-up complete.
    if ! PULSE_SERVER="unix:$dir/native" pactl info >/dev/null 2>&1; then
        echo "pulseaudio started but does not answer on unix:$dir/native"
        exit 1
    fi
    ;;
stop)
    if [ -s "$dir/pulse/pid" ]; then
        pid=$(cat "$dir/pulse/pid")
        kill "$pid" 2>/dev/null
        # Wait for it to go, so that it no longer writes into the folder.
        tries=50
        while [ "$tries" -gt 0 ] && kill -0 "$pid" 2>/dev/null; do
            sleep 0.1
            tries=$((tries - 1))
        done
        rm -f "$dir/pulse/pid"
    fi
    ;;
*)
    echo "usage: null-sink-server.sh start|stop <folder>" >&2
    exit 2
    ;;
esac

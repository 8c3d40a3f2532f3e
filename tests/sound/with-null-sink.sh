#!/bin/sh
# Runs a command with a private PulseAudio server whose default sink is a null sink, so
# that sound can really be played and recorded back from the sink's monitor on a machine
# without a sound card. The command sees:
#   PULSE_SERVER              the server's socket (every PulseAudio client honours it)
#   OMVAR_NULL_SINK_MONITOR   the source to record the sink's output from
# or, when no server could be started, OMVAR_NO_NULL_SINK with the reason instead.
#
# The server runs in user mode from its own temporary folder. As root PulseAudio warns
# that user mode is not meant for root, and carries on; that is what CI needs. It loads no
# default script (-n), only the null sink and an anonymous native socket, never exits on
# idle, and is stopped (by its pid) when the command has finished.
set -u

dir=$(mktemp -d "${TMPDIR:-/tmp}/omvar-pulse.XXXXXX") || exit 1
stop_server() {
    if [ -s "$dir/pulse/pid" ]; then
        pid=$(cat "$dir/pulse/pid")
        kill "$pid" 2>/dev/null
        # Wait (at most 5 s) for it to go, so that it no longer writes into the folder.
        tries=50
        while [ "$tries" -gt 0 ] && kill -0 "$pid" 2>/dev/null; do
            sleep 0.1
            tries=$((tries - 1))
        done
    fi
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 130' INT TERM

start_server() {
    if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v parecord >/dev/null 2>&1; then
        echo "pulseaudio and parecord are not installed (Debian: pulseaudio pulseaudio-utils)"
        return 1
    fi
    if ! env XDG_RUNTIME_DIR="$dir" HOME="$dir" PULSE_RUNTIME_PATH="$dir/pulse" \
        PULSE_STATE_PATH="$dir/state" \
        pulseaudio --daemonize=yes --system=false -n --exit-idle-time=-1 --use-pid-file=yes \
        --log-target="file:$dir/server.log" \
        --load="module-null-sink sink_name=omvar_null rate=44100" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
        >"$dir/start.log" 2>&1; then
        echo "pulseaudio did not start: $(cat "$dir/start.log" "$dir/server.log" 2>/dev/null | grep -m 1 'E:')"
        return 1
    fi
    # --daemonize returns once the daemon reports its start-up complete.
    if ! PULSE_SERVER="unix:$dir/native" pactl info >/dev/null 2>&1; then
        echo "pulseaudio started but does not answer on unix:$dir/native"
        return 1
    fi
    return 0
}

if reason=$(start_server); then
    export PULSE_SERVER="unix:$dir/native"
    export OMVAR_NULL_SINK_MONITOR="omvar_null.monitor"
else
    export OMVAR_NO_NULL_SINK="$reason"
    # Keep clients off any desktop server, so that "no server" really means no sound device.
    export PULSE_SERVER="unix:$dir/no-server"
fi

"$@"

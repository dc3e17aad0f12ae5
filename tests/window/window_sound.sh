#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game's sound, on a PulseAudio null sink of its own: a Beginner game is heard (the
# sink's monitor records more than silence); after M on the board it is not. Everything of the
# audio server lives in the check's own folder: nothing of the machine's is touched.
#   window_sound.sh GAME
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
game=$1 && make_work
mkdir -p "$work/pulse" "$work/home"
pulse=$work/pulse
export HOME=$work/home PULSE_SERVER=unix:$pulse/native PULSE_COOKIE=$pulse/cookie
export PULSE_RUNTIME_PATH=$pulse PULSE_STATE_PATH=$pulse

# The sound server on its socket, or a failure whose log says why: this check never skips.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix socket=$pulse/native auth-anonymous=1" \
    >"$pulse/server.log" 2>&1 &
at_exit "kill $! 2>/dev/null"
within 5 pactl info >/dev/null 2>&1 ||
    fail "no PulseAudio server started: $(tail -3 "$pulse/server.log")"

# loudest SECONDS: the peak (0 to 1) of what the sink plays for SECONDS
loudest() {
    timeout "$1" parec -d null.monitor --raw --format=s16le --channels=1 --rate=22050 \
        >"$work/heard.raw" || true
    [[ -s $work/heard.raw ]] || fail "nothing recorded from the sink's monitor"
    sox -t raw -r 22050 -e signed -b 16 -c 1 "$work/heard.raw" -n stat 2>&1 |
        awk '/Maximum amplitude/ { print $3 }'
}

start_xvfb
open_board "$game" "$work"
# The game's sound starts once the board shows; loading it may take seconds on a busy machine.
connected() { (($(pactl list short clients | wc -l) > 1)); }
within 30 connected || fail "the game never connected to the sound server"
sleep 0.3 && key "$board" Return # Start, in Beginner: a tile lands every 3.5 s or sooner

playing=$(loudest 10)
awk -v p="$playing" 'BEGIN { exit !(p > 0.01) }' || fail "no sound during a game (peak $playing)"

key "$board" m
sleep 1 # a sound begun before the key may still end
muted=$(loudest 8)
awk -v p="$muted" 'BEGIN { exit !(p == 0) }' || fail "sound after M (peak $muted)"
echo "ok: a peak of $playing while playing, none after M"
kill "$PID" && wait "$PID" 2>/dev/null || true

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game, in an Expert game under a name, ended from outside: SIGTERM,
# then its X display killed under it. Each ends it without a signal, printing
# nothing but Qt's own line, and SIGTERM leaves the score file as it was.
#   window_exit.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../../headless/xvfb.sh"
prefs=$work/config/Huemix.prefs

ended_by() { # ended_by HOW STATUS [LINE]: the game playing, HOW ends it with STATUS, printing only LINE
    rm -rf "$work" && mkdir -p "$work/config" && printf 'Ann,12\n' >"$prefs" && open_scores "$game" "$work"
    focus "$scores" && xdotool type Kim && key "$scores" Return && board=$(wait_for_window Huemix 10) &&
        key "$board" e Return && sleep 1 || fail "no Expert game"
    eval "$1" && timeout 10 tail --pid="$PID" -f /dev/null || fail "$1: the game did not end"
    local status=0 && wait "$PID" || status=$?
    ((status == $2)) && [[ -z $(grep -vx -- "${3:-}" "$log") ]] || fail "$1: status $status, printed: $(cat "$log")"
    [[ $(cat "$prefs") == Ann,12 ]] || fail "$1: the score file changed"
}
start_xvfb
ended_by 'kill -TERM $PID' 0
ended_by 'kill $XVFB_PID' 1 "The X11 connection broke (error 1). Did the X11 server die?"
echo "ok: SIGTERM and a lost display each ended the game cleanly"

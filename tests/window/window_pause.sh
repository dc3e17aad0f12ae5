#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game under a window manager, as players have one: P pauses a
# running game and P resumes it; another program's window in front holds the
# game and the board in front again resumes it, but not a game paused by P.
#   window_pause.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../../headless/xvfb.sh"

field() { convert "x:$board" -crop "288x480+6+$menu" +repage -depth 8 rgb:- | md5sum; }
still() { # still YES|NO WHAT: whether the field stays the same for 0.6 s
    local before && before=$(field) && sleep 0.6
    [[ $([[ $(field) == "$before" ]] && echo yes || echo no) == "$1" ]] || fail "$2"
}
front() { xdotool windowactivate --sync "$1" 2>/dev/null && sleep 0.3; }

rm -rf "$work" && mkdir -p "$work" && start_xvfb
start_wm --sm-disable
open_scores "$game" "$work" && front "$scores" && xdotool type --delay 30 Pat && key "$scores" Return
board=$(wait_for_window Huemix 10) && front "$board" && key "$board" Return || fail "no board"
sleep 0.3 && still no "Start started no game"
key "$board" p && sleep 0.2 && still yes "P did not pause the game"
key "$board" p && still no "P did not resume the game"
xmessage -name other other & other=$(wait_for_window other 10) && front "$other"
still yes "the game ran on behind another program's window"
front "$board" && still no "the board in front again did not resume the game"
key "$board" Pause && front "$other" && front "$board" && still yes "coming back resumed a game paused by key"
echo "ok: P and Pause pause and resume; another window in front holds the game"

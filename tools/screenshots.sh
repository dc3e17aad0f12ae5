#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a picture of each of the game's four windows under a private Xvfb, at
# the window's exact size, into resources/screenshots/ (or the folder given):
# scores.png, about.png, help.png, and board.png a few seconds into a game.
# Run by hand after a change to a window; CI does not run it.
#
#   tools/screenshots.sh [GAME [FOLDER]]    (default: build/bin/huemix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/bin/huemix}
out=${2:-$root/resources/screenshots}
source "$root/headless/xvfb.sh"

work=$(mktemp -d)
at_exit "rm -rf '$work'"
mkdir -p "$out" "$work/config"
printf 'Ann,12\nBob,7\nCid,30\n' >"$work/config/Huemix.prefs"

start_xvfb
open_scores "$game" "$work"
focus "$scores"
xdotool type --delay 40 "Player"
sleep 0.5
import -window "$scores" "$out/scores.png"

about=$(open_about)
sleep 0.5
import -window "$about" "$out/about.png"
press "$about" Close

board=$(wait_for_window "Huemix" 10)
sleep 0.5
press "$board" HELP
help=$(wait_for_window "HELP" 10)
sleep 0.5
import -window "$help" "$out/help.png"
press "$help" BACK
shown "$board" "$help" || fail "BACK brought no board"
press "$board" Start
sleep 8
import -window "$board" "$out/board.png"
key "$board" ctrl+q
exits_cleanly
for name in scores about help board; do
    echo "$out/$name.png: $(identify -format '%wx%h' "$out/$name.png")"
done

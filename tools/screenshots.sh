#!/usr/bin/env bash
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
source "$root/tests/xvfb/lib.sh"

work=$(mktemp -d)
at_exit "rm -rf '$work'"
mkdir -p "$out" "$work/config"
export XDG_CONFIG_HOME=$work/config
printf 'Ann,12\nBob,7\nCid,30\n' >"$XDG_CONFIG_HOME/Huemix.prefs"

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

scores=$(wait_for_window "Scores" 20)
menu=$(content_top "$scores" "$work/probe.png" 345)
timeout 5 xdotool windowfocus --sync "$scores" || true
xdotool type --delay 40 "Player"
sleep 0.5
screenshot "$scores" "$out/scores.png"

# About, from the File menu: its last item.
click "$scores" 20 $((menu / 2))
sleep 0.5
xdotool key Up Return
about=$(wait_for_window "About" 10)
sleep 0.5
screenshot "$about" "$out/about.png"
click_control "$about" 0 224 225 63 32 # Close

board=$(wait_for_window "Huemix" 10)
sleep 0.5
click_control "$board" "$menu" 300 500 80 20 # HELP
help=$(wait_for_window "HELP" 10)
sleep 0.5
screenshot "$help" "$out/help.png"
click_control "$help" 0 293 385 80 20 # BACK

sleep 0.5
click_control "$board" "$menu" 98 500 80 20 # Start
sleep 8
screenshot "$board" "$out/board.png"
key "$board" ctrl+q
wait_for_exit "$pid" 5
for name in scores about help board; do
    echo "$out/$name.png: $(identify -format '%wx%h' "$out/$name.png")"
done

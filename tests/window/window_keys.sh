#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole game with the keyboard alone under Xvfb: a name and Return on the
# score board; on the board H opens the help and Return closes it, N makes a
# new game, E chooses Expert, Return starts, Q quits and records the Expert
# score. Meanwhile arrow taps of 10, 30, 50 and 80 ms at random moments in a
# frame, in Beginner and Expert: each must move the falling tile exactly one
# column. The table goes to WORKDIR/taps.txt.
#
#   window_keys.sh GAME WORKDIR
#   HUEMIX_WINDOW_TAPS  taps of each length in each difficulty (30)
set -euo pipefail
game=$1 work=$2 taps=${HUEMIX_WINDOW_TAPS:-30}
source "$(dirname "$0")/../xvfb/lib.sh"

new_game() { # new_game [KEY]: N, KEY on the new board, Return. Short games
    local old=$board # keep the falling tile in sight.
    key "$board" n
    board=$(wait_for_window Huemix 10 "$old") || fail "N showed no new board"
    sleep 0.3
    [[ -z ${1:-} ]] || key "$board" "$1"
    key "$board" Return
}
measure() { # measure MODE FRAME_MS [KEY]: 15 taps to a game
    local len n reuse=0 lost c t colour c2 t2 dir step since=$SECONDS
    for len in 10 30 50 80; do
        n=0 lost=0 reuse=0
        new_game "${3:-}"
        while ((n < taps)); do
            ((SECONDS < since + 30)) || fail "$1: no tile to steer for 30 s"
            # After a tap, its second picture is the next one's first.
            ((reuse)) || screenshot "$board" "$work/shot.png"
            reuse=0
            tiles "$work/shot.png" >"$work/before.txt"
            read -r c t colour < <(cat "$work/before.txt" && echo "9 999")
            ((t <= 288)) || { sleep 0.05 && continue; } # too low: wait for the next
            dir=Right step=1
            ((c == 8 || (c > 0 && RANDOM % 2))) && dir=Left step=-1
            xdotool sleep "0.$(printf %03d $((RANDOM % $2)))" keydown $dir sleep "0.0$len" keyup $dir sleep 0.2
            screenshot "$board" "$work/shot.png"
            # The same tile a few frames lower, none that rested there before;
            # none when it landed meanwhile, and then the tap proves nothing.
            read -r c2 t2 < <(tiles "$work/shot.png" | awk -v c="$c" -v t="$t" -v colour="$colour" '
                NR == FNR { rest[$0]; next }
                !($0 in rest) && $3 == colour && $2 > t && $2 <= t + 192 && $1 >= c - 2 && $1 <= c + 2 {
                    print $1, $2; exit }' "$work/before.txt" - && echo "9 -1")
            ((t2 > t)) || continue
            n=$((n + 1)) since=$SECONDS reuse=1
            ((c2 == c)) && lost=$((lost + 1))
            ((c2 == c || c2 == c + step)) || fail "$1: a $len ms $dir tap moved the tile from column $c to $c2"
            ((n % 15 || n == taps)) || { new_game "${3:-}" && reuse=0; }
        done
        echo "$1 $len ms: $lost of $n taps lost" | tee -a "$work/taps.txt"
    done
}

rm -rf "$work"
start_xvfb
launch "$game" "$work"
scores=$(wait_for_window Scores 20)
sleep 0.5
focus "$scores"
xdotool type --delay 30 Kim
key "$scores" Return
board=$(wait_for_window Huemix 10) || fail "Return in the name field showed no board"
menu=$(content_top "$board" "$work/fresh.png")
key "$board" h
help=$(wait_for_window HELP 10) || fail "H showed no help window"
key "$help" Return
for ((i = 0; i < 50; i++)); do window_visible "$board" && ! window_visible "$help" && break || sleep 0.1; done
window_visible "$board" || fail "Return in the help window did not bring the board back"
echo "ok: Return in the name field, H and Return in the help"

measure Beginner 125
measure Expert 80 e
key "$board" q
exits_cleanly
grep -q '^Kim,[0-9]' "$work/config/Huemix.prefs" || fail "Q recorded no Expert score for Kim"
! grep -v ': 0 of' "$work/taps.txt" >&2 || fail "taps were lost"
echo "ok: Q recorded Kim's Expert score; no tap lost"

#!/usr/bin/env bash
# The whole game with the keyboard alone, in real windows under Xvfb: a name
# and Return on the score board; on the board H opens the help and Return
# closes it, N makes a new game, E chooses Expert, Return starts, Q quits and
# records the Expert score. In Beginner and Expert games, short taps of the
# arrows at random moments: each must move the falling tile exactly one
# column, however short it is, while the game reads the keys once a frame.
#
#   window_keys.sh GAME WORKDIR [TAPS]   (TAPS of each length per game, 30)
set -euo pipefail
game=$1
work=$2
taps=${3:-30}
source "$(dirname "$0")/../xvfb/lib.sh"

fail() {
    echo "window_keys: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config

# shown_window EXCEPT...: the game's visible window that is none of EXCEPT.
shown_window() {
    local id deadline=$((SECONDS + 20))
    while ((SECONDS < deadline)); do
        while read -r id; do
            [[ -n $id && " $* " != *" $id "* ]] && echo "$id" && return 0
        done < <(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
        sleep 0.1
    done
    return 1
}

# lone_tiles SHOT: "COLUMN TOP COLOUR" of each lone 32 px tile above field y
# 380, highest first. Each column is read 5 px in from its left edge, beside
# the tile's mark.
xs=()
for ((c = 0; c < 9; c++)); do
    xs+=($((6 + 32 * c + 5)))
done
lone_tiles() {
    nonwhite_runs "$1" "$menu" 480 "${xs[@]}" |
        awk '$4 ~ /^(0,0,255|0,255,0|255,0,255|0,255,255|255,255,0|255,0,0)$/ &&
             $3 - $2 + 1 == 32 && $2 < 380 { print ($1 - 11) / 32, $2, $4 }' |
        sort -k2n
}

# new_game [KEY]: N for a fresh board, KEY (E for Expert) on it, then Return
# to start. A full field hides the falling tile, so each game is kept short.
new_game() {
    local old=$board
    key "$board" n
    board=$(shown_window "$scores" "$old") || fail "N showed no new board"
    sleep 0.3
    [[ -z ${1:-} ]] || key "$board" "$1"
    key "$board" Return
}

# measure MODE PERIOD_MS [KEY]: taps of each length at random moments within
# a frame, 15 to a game.
results=()
measure() {
    local mode=$1 period=$2 len n lost c t colour c2 t2 dir step seen='' since=$SECONDS
    for len in 10 30 50 80; do
        n=0 lost=0
        while ((n < taps)); do
            if ((n % 15 == 0)) && [[ $seen != "$len $n" ]]; then
                seen="$len $n"
                new_game "${3:-}"
                timeout 5 xdotool windowfocus --sync "$board" 2>/dev/null || true
            fi
            ((SECONDS < since + 30)) || fail "$mode: no tile to steer for 30 s"
            screenshot "$board" "$work/before.png"
            # The falling tile is the highest one on the field.
            lone_tiles "$work/before.png" >"$work/before.txt"
            read -r c t colour < <(cat "$work/before.txt"; echo "9 999 none")
            if ((t > 160)); then
                sleep 0.05 # too low, or between tiles: wait for the next
                continue
            fi
            dir=Right step=1
            if ((c == 8 || (c > 0 && RANDOM % 2))); then
                dir=Left step=-1
            fi
            sleep "$(printf '0.%03d' $((RANDOM % period)))"
            xdotool keydown "$dir" sleep "$(printf '0.%03d' "$len")" keyup "$dir"
            sleep 0.25
            screenshot "$board" "$work/after.png"
            # The same tile a few frames lower, not one that rests where it
            # rested before; none when it landed or met another tile
            # meanwhile, and then the tap proves nothing.
            read -r c2 t2 < <(lone_tiles "$work/after.png" |
                awk -v c="$c" -v t="$t" -v colour="$colour" 'NR == FNR { rest[$0]; next }
                    !($0 in rest) && $3 == colour && $2 > t && $2 <= t + 128 &&
                    $1 >= c - 2 && $1 <= c + 2 { print $1, $2; exit }' "$work/before.txt" -
            echo "9 -1")
            ((t2 > t)) || continue
            n=$((n + 1)) since=$SECONDS
            if ((c2 == c)); then
                lost=$((lost + 1))
            elif ((c2 != c + step)); then
                fail "$mode: a $len ms $dir tap moved the tile from column $c to $c2"
            fi
        done
        results+=("$mode $len ms: $lost of $n taps lost")
        echo "${results[-1]}"
    done
}

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

scores=$(shown_window) || fail "no score board"
sleep 0.5
timeout 5 xdotool windowfocus --sync "$scores" 2>/dev/null || true
xdotool type --delay 30 Kim
key "$scores" Return
board=$(shown_window "$scores") || fail "Return in the name field showed no board"
menu=$(content_top "$board" "$work/fresh.png" 150) || fail "no playing field in the picture"
echo "ok: Return in the name field opened the board"

key "$board" h
help=$(shown_window "$scores" "$board") || fail "H showed no help window"
key "$help" Return
for ((i = 0; i < 50; i++)); do
    window_visible "$board" && ! window_visible "$help" && break
    sleep 0.1
done
window_visible "$board" || fail "Return in the help window did not bring the board back"
echo "ok: H opened the help and Return closed it"

measure Beginner 125
measure Expert 80 e

key "$board" q
wait_for_exit "$pid" 10 || fail "Q did not end the game"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
grep -q '^Kim,[0-9]' "$work/config/Huemix.prefs" || fail "Q recorded no Expert score for Kim"
echo "ok: Q quit and recorded Kim's Expert score"

printf '%s\n' "${results[@]}" >"$work/taps.txt"
if grep -v ': 0 of' "$work/taps.txt" >&2; then
    fail "taps were lost"
fi
echo "ok: no tap lost"

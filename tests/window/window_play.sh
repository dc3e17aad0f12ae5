#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game, twice over a prepared score file. With the mouse: About from
# the score board, a name and Run, HELP and BACK, Start, Expert, New Game and
# Quit, each window at its size. With keys alone: a name and Return, H and
# Return, N, E, Return and Q; meanwhile arrow taps of 10 to 80 ms at random
# moments in a frame, in Beginner and Expert, must each step the falling tile.
#   window_play.sh GAME WORKDIR   HUEMIX_WINDOW_TAPS: taps of each length in each difficulty (30)
set -euo pipefail
game=$1 work=$2 taps=${HUEMIX_WINDOW_TAPS:-30}
source "$(dirname "$0")/../../headless/xvfb.sh"
old=$'Ann,12\nBob,7\n' prefs=$work/config/Huemix.prefs

sized() { # sized ID CONTENT MENU: the window's content below MENU px is CONTENT; it has the icon
    local s && s=$(window_size "$1") && [[ ${s%x*}x$((${s#*x} - $3)) == "$2" ]] || fail "window $1 is $s, not $2 below $3 px"
    [[ $(xprop -id "$1" -f _NET_WM_ICON 32c '=$0' _NET_WM_ICON) =~ =[1-9] ]] || fail "window $1 has no icon"
}
start() { # the game on the old records, up to its score board
    rm -rf "$work" && mkdir -p "$work/config" && printf %s "$old" >"$prefs" && open_scores "$game" "$work"
    ((menu >= 10 && menu <= 40)) && sized "$scores" 350x300 "$menu" || fail "the score board has no $menu px menu bar"
}
tiles() { # "COLUMN TOP COLOUR" of each lone tile in the board's field, the highest first
    # 5 px into the tiles of each of the 9 columns, beside their marks: the first of each 32 from 11 on
    convert "x:$board" -alpha off -crop "288x480+11+$menu" +repage -crop 32x480 +repage -crop 1x480+0+0 +repage \
        +append -depth 8 txt:- | awk -F'[ ,:()]+' '
        NR > 1 { c[$1, $2] = $3 "," $4 "," $5 }
        END { for (i = 0; i < 9; i++) for (y = 0; y <= 480; y++) {
            if (y < 480 && c[i, y] != "255,255,255") { if (top == "") top = y; continue }
            colour = c[i, int((top + y - 1) / 2)]
            if (top != "" && y - top == 32 && top < 420 && colour ~ /^(0|255),(0|255),(0|255)$/ && colour != "0,0,0")
                print i, top, colour
            top = "" } }' | sort -k2n
}

start_xvfb && start
about=$(open_about) && sized "$about" 300x300 0 && press "$about" Close || fail "no About"
board=$(wait_for_window Huemix 10) && sized "$board" 500x573 "$menu" || fail "About's Close showed no board"
xdotool windowraise "$scores" && focus "$scores" && xdotool type --delay 40 Tester && press "$scores" Run
shown "$board" "$scores" || fail "Run left the score board on screen"
press "$board" HELP && help=$(wait_for_window HELP 10) && sized "$help" 425x425 0 && ! window_visible "$board" ||
    fail "HELP showed no help or left the board on screen"
press "$help" BACK && shown "$board" "$help" || fail "BACK did not bring the board back"
press "$board" Start
for ((i = 0; i < 20; i++)); do top=$(tiles | awk 'NR == 1 { print $2 }') && [[ -n $top ]] && break || sleep 0.05; done
((${top:-99} < 32)) || fail "Start dropped no tile into the top row"
for control in NewGame Expert Start NewGame Quit; do # both New Game in Expert and Quit record
    press "$board" $control
    [[ $control != NewGame ]] || board=$(wait_for_window Huemix 10 "$board")
    sleep 0.3
done
exits_cleanly
cmp <(printf '%sTester,0\nTester,0\n' "$old") "$prefs" || { od -c "$prefs" >&2 && fail "not the old records and two new"; }
echo "ok: every window at its size below a $menu px menu bar; each control clicked did its part"

new_game() { # new_game [KEY]: N, KEY on the new board, Return. Short games keep the falling tile in sight.
    key "$board" n && board=$(wait_for_window Huemix 10 "$board") && sleep 0.3 || fail "N showed no new board"
    key "$board" ${1:+"$1"} Return && tiles >"$work/before.txt"
}
measure() { # measure MODE FRAME_MS [KEY]: 15 taps to a game
    local len n lost c t colour c2 t2 dir step since=$SECONDS
    for len in 10 30 50 80; do
        n=0 lost=0 && new_game "${3:-}"
        while ((n < taps)); do
            ((SECONDS < since + 30)) || fail "$1: no tile to steer for 30 s"
            read -r c t colour < <(cat "$work/before.txt" && echo "9 999")
            ((t <= 288)) || { sleep 0.05 && tiles >"$work/before.txt" && continue; } # too low: wait for the next
            dir=Right step=1 && ((c == 8 || (c > 0 && RANDOM % 2))) && dir=Left step=-1
            xdotool sleep "0.$(printf %03d $((RANDOM % $2)))" keydown $dir sleep "0.0$len" keyup $dir sleep 0.2
            # The same tile a few frames lower, none that rested there before;
            # none when it landed meanwhile, and then the tap proves nothing.
            read -r c2 t2 < <(tiles | tee "$work/after.txt" | awk -v c="$c" -v t="$t" -v colour="$colour" '
                NR == FNR { rest[$0]; next }
                !($0 in rest) && $3 == colour && $2 > t && $2 <= t + 192 && $1 >= c - 2 && $1 <= c + 2 {
                    print $1, $2; exit }' "$work/before.txt" - && echo "9 -1")
            mv "$work/after.txt" "$work/before.txt" # the next tap's first picture
            ((t2 > t)) || continue
            n=$((n + 1)) since=$SECONDS lost=$((lost + (c2 == c)))
            ((c2 == c || c2 == c + step)) || fail "$1: a $len ms $dir tap moved the tile from column $c to $c2"
            ((n % 15 || n == taps)) || new_game "${3:-}"
        done
        echo "$1 $len ms: $lost of $n taps lost" | tee -a "$work/taps.txt"
    done
}

start
focus "$scores" && xdotool type --delay 30 Kim && key "$scores" Return
board=$(wait_for_window Huemix 10) || fail "Return in the name field showed no board"
key "$board" h && help=$(wait_for_window HELP 10) || fail "H showed no help window"
key "$help" Return && shown "$board" "$help" || fail "Return in the help window did not bring the board back"
measure Beginner 125 && measure Expert 80 e
key "$board" q && exits_cleanly
[[ $(cat "$prefs" && echo .) =~ ^$old(Kim,[0-9]+$'\n')+\.$ ]] || { od -c "$prefs" >&2 && fail "not the old records and Kim's Expert scores"; }
! grep -v ': 0 of' "$work/taps.txt" >&2 || fail "taps were lost"
echo "ok: keys alone played the game to Q, which recorded Kim's Expert scores; no tap lost"

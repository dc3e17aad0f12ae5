#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game, twice over a prepared score file. With the mouse: About from
# the score board, a name and Run, HELP and BACK, Start, Expert, New Game and
# Quit, each window at its size. With keys alone: a name and Return, H and
# Return, N, E, Return and Q (asking mid-game); meanwhile arrow taps of 10 to
# 80 ms and double taps at random moments in a frame, in Beginner and Expert,
# must each step the falling tile, and a held arrow step it once.
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
    # 5 px into the tiles of each of the 9 columns, beside their marks: the first of each 32 from 11 on;
    # a tile, where that pixel has the face of one of the six colours that fall
    convert "x:$board" -alpha off -crop "288x480+11+$menu" +repage -crop 32x480 +repage -crop 1x480+0+0 +repage \
        +append -depth 8 txt:- | awk -F'[ ,:()]+' '
        NR > 1 { c[$1, $2] = $3 "," $4 "," $5 }
        END { for (i = 0; i < 9; i++) for (y = 0; y <= 480; y++) {
            if (y < 480 && c[i, y] != "255,255,255") { if (top == "") top = y; continue }
            colour = c[i, int((top + y - 1) / 2)]
            if (top != "" && y - top == 32 && top < 420 && colour ~ /^(0,0,255|0,255,255|0,255,0|176,0,176|192,0,0|255,255,0)$/)
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
((${top:-99} < 96)) || fail "Start dropped no tile from the top" # within 6 frames: a picture takes a while under load
for control in NewGame Expert Start NewGame Quit; do # both New Game in Expert and Quit record
    press "$board" $control
    [[ $control != NewGame ]] || board=$(wait_for_window Huemix 10 "$board")
    sleep 0.3
done
exits_cleanly
cmp <(printf '%sTester,0\nTester,0\n' "$old") "$prefs" || { od -c "$prefs" >&2 && fail "not the old records and two new"; }
echo "ok: every window at its size below a $menu px menu bar; each control clicked did its part"

asks() { # asks KEY: KEY on the board opens a question (a window of the board's title); its id
    key "$board" "$1" && wait_for_window Huemix 10 "$board" || fail "${1^^} asked nothing mid-game"
}
new_game() { # new_game [KEY]: N (and Yes if it asks), KEY on the new board, Return. Short games keep the falling tile in sight.
    local old=$board size i id && size=$(window_size "$board") && id=$(asks n) || fail "N showed no new board"
    [[ $(window_size "$id") == "$size" ]] || key "$id" y
    for ((i = 0; i < 100; i++)); do # the new board: of the old one's title and size
        for id in $(xdotool search --onlyvisible --name '^Huemix$'); do
            [[ $id != "$old" && $(window_size "$id" 2>/dev/null) == "$size" ]] && board=$id && break 2
        done && sleep 0.1
    done && [[ $board != "$old" ]] || fail "Yes to N showed no new board"
    sleep 0.3 && key "$board" ${1:+"$1"} Return && tiles >"$work/before.txt"
}
# measure MODE FRAME_MS [KEY]: in new games after KEY, 15 presses to a game: taps
# of 10 to 80 ms and double taps 40 and 70 ms apart must step the falling tile
# one column a tap, holds of 1.5 s that X repeats one column.
measure() {
    local kind count want n lost c t colour c2 t2 dir step low reach limit since=$SECONDS
    for kind in 10 30 50 80 40x2 70x2 hold; do
        count=$taps want=1 low=0 reach=192 limit=288 && [[ $kind =~ x2|hold ]] && count=10
        [[ $kind != *x2 ]] || want=2
        # A held tile has fallen a second by its second picture, taken with the
        # key down past X's repeat delay: a higher tile is the next one, of the
        # same colour by chance. The key stays down 1.5 s in all.
        [[ $kind != hold ]] || low=$((16 * 800 / $2)) reach=$((16 * 1900 / $2)) limit=$(((448 - 16 * 1900 / $2) / 32 * 32))
        n=0 lost=0 && new_game "${3:-}"
        while ((n < count)); do
            ((SECONDS < since + 40)) || fail "$1: no tile to steer for 40 s"
            read -r c t colour < <(cat "$work/before.txt" && echo "9 999")
            ((t <= limit)) || { sleep 0.05 && tiles >"$work/before.txt" && continue; } # too low: wait for the next
            dir=Right step=1 && ((c > 8 - want || (c >= want && RANDOM % 2))) && dir=Left step=-1
            xdotool sleep "0.$(printf %03d $((RANDOM % $2)))"
            case $kind in # a hold's picture below is taken with the key still down
            hold) xdotool keydown $dir sleep 1 ;;
            *x2) xdotool keydown $dir sleep 0.015 keyup $dir sleep "0.0$((${kind%x2} - 15))" keydown $dir sleep 0.015 keyup $dir sleep 0.3 ;;
            *) xdotool keydown $dir sleep "0.0$kind" keyup $dir sleep 0.2 ;;
            esac
            # The same tile a few frames lower, none that rested there before;
            # none when it landed meanwhile, and then the tap proves nothing.
            read -r c2 t2 < <(tiles | tee "$work/after.txt" | awk -v c="$c" -v t="$t" -v colour="$colour" -v low="$low" -v reach="$reach" '
                NR == FNR { rest[$0]; next }
                !($0 in rest) && $3 == colour && $2 > t + low && $2 <= t + reach && $1 >= c - 2 && $1 <= c + 2 {
                    print $1, $2; exit }' "$work/before.txt" - && echo "9 -1")
            mv "$work/after.txt" "$work/before.txt" # the next tap's first picture; after a hold, a
            # fresh one: the tile held may have landed meanwhile, beside the next one's column
            [[ $kind != hold ]] || { xdotool sleep 0.5 keyup $dir sleep 0.3 && tiles >"$work/before.txt"; }
            ((t2 > t)) || continue
            n=$((n + 1)) since=$SECONDS lost=$((lost + ((c2 - c) * step != want)))
            (((c2 - c) * step == want)) || echo "$1 $kind $dir: column $c row $t to $c2 row $t2" >>"$work/misses.txt"
            (((c2 - c) * step >= 0)) || fail "$1: a $kind $dir press moved the tile from column $c to $c2"
            ((n % 15 || n == count)) || new_game "${3:-}"
        done
        echo "$1 $kind: $lost of $n did not move the tile $want column(s)" | tee -a "$work/taps.txt"
    done
}

start
focus "$scores" && xdotool type --delay 30 Kim && key "$scores" Return
board=$(wait_for_window Huemix 10) || fail "Return in the name field showed no board"
key "$board" h && help=$(wait_for_window HELP 10) || fail "H showed no help window"
key "$help" Return && shown "$board" "$help" || fail "Return in the help window did not bring the board back"
measure Beginner 125
# A stray Q mid-game asks; Return keeps the default No and the game plays on.
question=$(asks q) && key "$question" Return && sleep 0.5 && window_visible "$board" && ! window_visible "$question" ||
    fail "No to Q's question did not leave the board playing"
tiles >"$work/before.txt" && sleep 0.5 && ! cmp -s "$work/before.txt" <(tiles) || fail "the game did not play on after No"
measure Expert 80 e
key "$(asks q)" y && exits_cleanly
[[ $(cat "$prefs" && echo .) =~ ^$old(Kim,[0-9]+$'\n')+\.$ ]] || { od -c "$prefs" >&2 && fail "not the old records and Kim's Expert scores"; }
! grep -v ': 0 of' "$work/taps.txt" >&2 || fail "presses were lost or repeated"
echo "ok: keys alone played the game to Q, which asked and recorded Kim's Expert scores; every tap stepped, every hold once"

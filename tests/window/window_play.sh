#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game under Xvfb, twice over a prepared score file. With the mouse:
# the score board "Scores" (350x300 below the menu bar), About (300x300) from
# its File menu, whose Close brings the board "Huemix" (500x573 below the same
# bar); a typed name and Run hide the score board; HELP (425x425) hides the
# board and BACK brings it back; Start drops a tile a held arrow steps once;
# Expert, New Game and Quit keep the old records and add two. With keys alone:
# a name and Return, H and Return, N, E and Return, Q, which records the Expert
# score. Meanwhile arrow taps of 10, 30, 50 and 80 ms at random moments in a
# frame, in Beginner and Expert, must each move the falling tile exactly one
# column; the table goes to WORKDIR/taps.txt.
#
#   window_play.sh GAME WORKDIR
#   HUEMIX_WINDOW_TAPS  taps of each length in each difficulty (30)
set -euo pipefail
game=$1 work=$2 taps=${HUEMIX_WINDOW_TAPS:-30}
source "$(dirname "$0")/../xvfb/lib.sh"
old=$'Ann,12\nBob,7\n' prefs=$work/config/Huemix.prefs

sized() { # sized ID CONTENT MENU: the window's content below MENU px is CONTENT
    local size
    size=$(window_size "$1")
    [[ ${size%x*}x$((${size#*x} - $3)) == "$2" ]] || fail "window $1 is $size with a $3 px menu bar, not $2"
    [[ $(xprop -id "$1" _NET_WM_ICON | head -c 40) == *CARDINAL* ]] || fail "window $1 has no icon"
}
start() { # the game on the old records, up to its score board; sets scores and menu
    rm -rf "$work/config" && mkdir -p "$work/config" && printf %s "$old" >"$prefs"
    launch "$game" "$work"
    scores=$(wait_for_window Scores 20)
    menu=$(content_top "$scores" "$work/scores.png" 345) # white right of the list
    ((menu >= 10 && menu <= 40)) || fail "the score board shows no menu bar ($menu px)"
    sized "$scores" 350x300 "$menu"
}
until_shown() { # until_shown ID [HIDDEN]: wait for ID visible and HIDDEN not
    for ((i = 0; i < 50; i++)); do window_visible "$1" && ! window_visible "${2:-}" && return 0 || sleep 0.1; done
    return 1
}
# tiles SHOT: "COLUMN TOP COLOUR" of each lone tile above field y 420 in a board
# below a $menu px menu bar, highest (the falling one) first. Each of the 9
# columns is read 5 px into its tiles, beside their marks.
tiles() {
    local x crops=()
    for x in 11 43 75 107 139 171 203 235 267; do crops+=('(' -clone 0 -crop "1x480+$x+$menu" +repage ')'); done
    convert "$1" -alpha off "${crops[@]}" -delete 0 +append -depth 8 txt:- | awk -F'[ ,:()]+' '
        NR > 1 { c[$1, $2] = $3 "," $4 "," $5 }
        END { for (i = 0; i < 9; i++) for (y = 0; y <= 480; y++) {
                  other = y < 480 && c[i, y] != "255,255,255"
                  if (other && top == "") top = y
                  if (!other && top != "") {
                      colour = c[i, int((top + y - 1) / 2)]
                      if (colour ~ /^(0|255),(0|255),(0|255)$/ && colour != "0,0,0" && y - top == 32 && top < 420)
                          print i, top, colour
                      top = "" } } }' | sort -k2n
}

start_xvfb
start
! wait_for_window Huemix 0 2>/dev/null || fail "the board is on screen before Run"
click "$scores" 20 $((menu / 2)) # File; About is its last item
sleep 0.5
xdotool key Up Return
about=$(wait_for_window About 10)
sized "$about" 300x300 0
press "$about" Close
board=$(wait_for_window Huemix 10) || fail "About's Close showed no board"
sized "$board" 500x573 "$menu"
[[ $(content_top "$board" "$work/board.png") == "$menu" ]] || fail "the board's menu bar differs"
[[ -z $(tiles "$work/board.png") ]] || fail "tiles on the board before Start"
xdotool windowraise "$scores" # no window manager: the board covers it
focus "$scores"
xdotool type --delay 40 Tester
sleep 0.3
press "$scores" Run "$menu"
until_shown "$board" "$scores" || fail "Run left the score board on screen"
echo "ok: Scores, About and Huemix at their sizes below a $menu px menu bar"

press "$board" HELP "$menu"
help=$(wait_for_window HELP 10)
sized "$help" 425x425 0
! window_visible "$board" || fail "the board stayed on screen behind HELP"
press "$help" BACK
until_shown "$board" "$help" || fail "BACK did not bring the board back"
echo "ok: HELP hid the board, BACK showed it again"

# Beginner, 125 ms a frame: one arrow press held over three frames steps once.
press "$board" Start "$menu"
for ((i = 0; i < 20; i++)); do
    screenshot "$board" "$work/start.png"
    read -r column top colour < <(tiles "$work/start.png") && break || sleep 0.05
done
((${top:-99} < 32)) || fail "Start dropped no tile into the top row"
dir=Left step=-1 && ((column > 0)) || dir=Right step=1
focus "$board"
xdotool keydown $dir sleep 0.4 keyup $dir sleep 0.3
screenshot "$board" "$work/steered.png"
read -r column2 top2 colour2 < <(tiles "$work/steered.png")
[[ $colour2 == "$colour" ]] && ((top2 > top && column2 == column + step)) ||
    fail "the $colour tile at column $column, y $top went to $colour2 at $column2, y $top2 after $dir"
echo "ok: Start dropped a tile; one held $dir press moved it one column"

press "$board" NewGame "$menu"
board=$(wait_for_window Huemix 10 "$board")
sleep 0.3
press "$board" Expert "$menu"
sleep 0.3
press "$board" Start "$menu"
sleep 0.3
press "$board" NewGame "$menu" # records Tester,0
board=$(wait_for_window Huemix 10 "$board")
sleep 0.3
press "$board" Quit "$menu" # still in Expert: records Tester,0 again
exits_cleanly
cmp <(printf '%sTester,0\nTester,0\n' "$old") "$prefs" || { od -c "$prefs" >&2 && fail "not the old records and two new lines"; }
echo "ok: Quit ended the game with status 0, the score file the old records and two new lines"

new_game() { # new_game [KEY]: N, KEY on the new board, Return. Short games
    local old=$board # keep the falling tile in sight.
    key "$board" n
    board=$(wait_for_window Huemix 10 "$old") || fail "N showed no new board"
    sleep 0.3
    [[ -z ${1:-} ]] || key "$board" "$1"
    key "$board" Return
}
measure() { # measure MODE FRAME_MS [KEY]: 15 taps to a game
    local len n lost c t colour c2 t2 dir step since=$SECONDS reuse=0
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

rm -f "$work/taps.txt"
start
focus "$scores"
xdotool type --delay 30 Kim
key "$scores" Return
board=$(wait_for_window Huemix 10) || fail "Return in the name field showed no board"
key "$board" h
help=$(wait_for_window HELP 10) || fail "H showed no help window"
key "$help" Return
until_shown "$board" "$help" || fail "Return in the help window did not bring the board back"
echo "ok: Return in the name field, H and Return in the help"
measure Beginner 125
measure Expert 80 e
key "$board" q
exits_cleanly
cmp -s -n ${#old} <(printf %s "$old") "$prefs" && [[ $(tail -c 1 "$prefs") == "" ]] &&
    tail -n +3 "$prefs" | grep -qxE 'Kim,[0-9]+' && ! tail -n +3 "$prefs" | grep -vqxE 'Kim,[0-9]+' ||
    { od -c "$prefs" >&2 && fail "not the old records and whole lines of Kim's Expert scores"; }
! grep -v ': 0 of' "$work/taps.txt" >&2 || fail "taps were lost"
echo "ok: Q recorded Kim's Expert scores; no tap lost"

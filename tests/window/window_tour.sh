#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# One run of the real game under Xvfb, clicking each control where the source
# puts it: the score board "Scores" (350x300 below the menu bar, with its icon)
# over a prepared score file; a typed name and Run open the board "Huemix"
# (500x573 below the same bar); HELP (425x425) hides it and BACK brings it
# back; a Beginner tile steered one column by a held arrow; Expert, Start,
# New Game and Quit leave the old records byte for byte plus two new lines.
#
#   window_tour.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

sized() { # sized ID CONTENT MENU: the window's content below MENU px is CONTENT
    local size
    size=$(window_size "$1")
    [[ ${size%x*}x$((${size#*x} - $3)) == "$2" ]] || fail "window $1 is $size with a $3 px menu bar, not $2"
    [[ $(xprop -id "$1" _NET_WM_ICON | head -c 40) == *CARDINAL* ]] || fail "window $1 has no icon"
}
rm -rf "$work" && mkdir -p "$work/config"
prefs=$work/config/Huemix.prefs
# A CR LF line, a line without a score and a name that is not UTF-8.
printf 'Ann,12\nBob,7\r\nCid\n\xff\xfe,3\n' >"$prefs"
start_xvfb
launch "$game" "$work"

scores=$(wait_for_window Scores 20)
menu=$(content_top "$scores" "$work/scores.png" 345) # white right of the list
((menu >= 10 && menu <= 40)) || fail "the score board shows no menu bar ($menu px)"
sized "$scores" 350x300 "$menu"
! wait_for_window Huemix 0 2>/dev/null || fail "the board is on screen before Run"
echo "ok: Scores, 350x300 below a $menu px menu bar"

focus "$scores"
xdotool type --delay 40 Tester
sleep 0.3
press "$scores" Run "$menu"
board=$(wait_for_window Huemix 10)
sized "$board" 500x573 "$menu"
[[ $(content_top "$board" "$work/board.png") == "$menu" ]] || fail "the board's menu bar differs"
[[ $(nonwhite_runs "$work/board.png" "$menu" 6 150 293) == "" &&
    $(nonwhite_runs "$work/board.png" "$menu" 5 294 | cut -d' ' -f1 | uniq | wc -l) == 2 ]] || fail "no white field at x 6..293"
[[ $(xdotool getwindowname "$scores") == Scores ]] || fail "the score board was closed, not hidden"
echo "ok: Huemix, 500x573 with its white field"

press "$board" HELP "$menu"
help=$(wait_for_window HELP 10)
sized "$help" 425x425 0
! window_visible "$board" || fail "the board stayed on screen behind HELP"
press "$help" BACK
for ((i = 0; i < 50; i++)); do window_visible "$board" && break || sleep 0.1; done
window_visible "$board" || fail "BACK did not bring the board back"
echo "ok: HELP hid the board, BACK showed it again"

# Beginner, 125 ms a frame: one arrow press held over three frames steps once.
press "$board" Start "$menu"
for ((i = 0; i < 20; i++)); do
    screenshot "$board" "$work/start.png"
    read -r column top colour < <(tiles "$work/start.png") && break || sleep 0.05
done
((top < 32)) || fail "the first tile is at field y $top, not in the top row"
dir=Left step=-1 && ((column > 0)) || dir=Right step=1
focus "$board"
xdotool keydown $dir sleep 0.4 keyup $dir sleep 0.3
screenshot "$board" "$work/steered.png"
read -r column2 top2 colour2 < <(tiles "$work/steered.png")
[[ $colour2 == "$colour" ]] && ((top2 > top && column2 == column + step)) ||
    fail "the $colour tile at column $column, y $top went to $colour2 at $column2, y $top2 after $dir"
echo "ok: one held $dir press moved the tile from column $column to $column2"

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
printf 'Ann,12\nBob,7\r\n\xff\xfe,3\nTester,0\nTester,0\n' >"$work/expected"
cmp "$work/expected" "$prefs" || { od -c "$prefs" >&2 && fail "the old records and the new lines are not all there"; }
echo "ok: the score file holds the old records and the two new lines"

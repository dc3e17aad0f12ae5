#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game under Xvfb: File > About from the score board shows "About"
# (300x300), whose Close brings the board; an Expert game left to fall ends in
# the board's message box "Game Over. Your Score: N"; once it is dismissed the
# board stays, its field frozen; Ctrl+Q then ends the game with status 0.
#
#   window_game_over.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

rm -rf "$work"
start_xvfb
launch "$game" "$work"

scores=$(wait_for_window Scores 20)
menu=$(content_top "$scores" "$work/scores.png" 345)
click "$scores" 20 $((menu / 2)) # File; About is its last item
sleep 0.5
xdotool key Up Return
about=$(wait_for_window About 10)
[[ $(window_size "$about") == 300x300 ]] || fail "About is $(window_size "$about")"
press "$about" Close
board=$(wait_for_window Huemix 10)
echo "ok: About from the score board, and its Close showed the board"

press "$board" Expert "$menu"
sleep 0.3
press "$board" Start "$menu"
started=$SECONDS
# Tiles falling where they are released end an Expert game in a minute or two.
until box=$(wait_for_window Huemix 0 "$board" 2>/dev/null); do
    kill -0 "$PID" 2>/dev/null || fail "the game ended during play"
    ((SECONDS - started < 240)) || fail "no game-over message within 240 s"
    sleep 0.5
done
owner=$(xprop -id "$box" WM_TRANSIENT_FOR | awk '{ print $NF }')
((owner == board)) || fail "the message box does not belong to the board"

# The message is a selectable label: triple-click its first dark pixels and
# read the selection.
sleep 0.3
screenshot "$box" "$work/message.png"
read -r x y <<<"$(convert "$work/message.png" -alpha off -threshold 50% -negate -trim -format '%X %Y' info: | tr -d +)"
xdotool mousemove --window "$box" $((x + 6)) $((y + 4)) click --repeat 3 --delay 60 1
sleep 0.2
text=$(timeout 5 xclip -o -selection primary -t UTF8_STRING)
[[ $text =~ ^Game\ Over\.\ Your\ Score:\ [0-9]+$ ]] || fail "the message says: $text"
echo "ok: after $((SECONDS - started)) s: $text"

key "$box" Return
for ((i = 0; i < 20; i++)); do window_visible "$box" && sleep 0.1; done
! window_visible "$box" || fail "Return did not dismiss the message box"
window_visible "$board" || fail "the board left with the message box"
screenshot "$board" "$work/frozen-1.png"
sleep 1
screenshot "$board" "$work/frozen-2.png"
for i in 1 2; do convert "$work/frozen-$i.png" -crop "288x480+6+$menu" +repage "$work/field-$i.png"; done
changed=$(compare -metric AE "$work/field-1.png" "$work/field-2.png" null: 2>&1 || true)
[[ $changed == 0 ]] || fail "$changed field pixels changed in the second after game over"
[[ -n $(nonwhite_runs "$work/frozen-2.png" "$menu" "${FIELD_XS[@]}") ]] || fail "the field is empty"
! wait_for_window Huemix 0 "$board" 2>/dev/null || fail "a second message box"
echo "ok: the board stays, its field unchanged for 1 s"

key "$board" ctrl+q
exits_cleanly

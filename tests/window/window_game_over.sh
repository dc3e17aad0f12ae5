#!/usr/bin/env bash
# The real game under Xvfb, played to its end in the Expert mode without
# steering: the game-over message box shows "Game Over. Your Score: " and the
# score; once it is dismissed the board stays on screen, frozen, and the game
# still quits cleanly.
#
#   window_game_over.sh GAME WORKDIR
set -euo pipefail
game=$1
work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

fail() {
    echo "window_game_over: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

board=$(open_board "$pid" 20) || fail "no board window"
menu=$(content_top "$board" "$work/fresh.png" 150) || fail "no playing field in the picture"
echo "menu bar height: $menu px"

click_control "$board" "$menu" 320 343 100 20 # Expert
sleep 0.3
click_control "$board" "$menu" 98 500 80 20 # Start
started=$SECONDS

# A game of Expert tiles falling where they are released takes one to two
# minutes on this machine.
box=
shot_taken=
while ((SECONDS - started < 240)); do
    kill -0 "$pid" 2>/dev/null || fail "the game ended during play: $(tail -3 "$work/game.log")"
    box=$(wait_for_window "Huemix" 0 "$board" 2>/dev/null) && break
    box=
    if [[ -z $shot_taken ]] && ((SECONDS - started >= 20)); then
        screenshot "$board" "$work/playing.png"
        shot_taken=1
    fi
    sleep 0.5
done
[[ -n $box ]] || fail "no game-over message within 240 s"
echo "game over after about $((SECONDS - started)) s"

sleep 0.3
screenshot "$box" "$work/message.png"
screenshot "$board" "$work/over.png"
owner=$(xprop -id "$box" WM_TRANSIENT_FOR 2>/dev/null | awk '{ print $NF }')
[[ $((owner)) == $((board)) ]] || fail "the message box does not belong to the board (${owner:-none})"

# The message is a selectable label: its dark pixels show where to click.
bbox=$(convert "$work/message.png" -alpha off -threshold 50% -negate -trim -format '%X %Y' info:)
read -r text_x text_y <<<"${bbox//+/}"
text=$(selected_text_at "$box" $((text_x + 6)) $((text_y + 4))) || fail "could not read the message"
echo "message box \"$(xdotool getwindowname "$box")\" says: $text"
[[ $text =~ ^Game\ Over\.\ Your\ Score:\ ([0-9]+)$ ]] || fail "unexpected message: $text"
score=${BASH_REMATCH[1]}

# The score figure beside "Score:" (347, 136, 45 x 20) is empty until the first white.
figure=$(convert "$work/over.png" -alpha off -crop "45x20+347+$((136 + menu))" +repage \
    -threshold 50% -negate -format '%[fx:mean > 0]' info:)
if ((score > 0)); then
    ((figure == 1)) || fail "score $score but no score figure on the board"
else
    ((figure == 0)) || fail "score 0 but a score figure on the board"
fi

key "$box" Return
for ((i = 0; i < 20; i++)); do
    window_visible "$box" || break
    sleep 0.1
done
window_visible "$box" && fail "Return did not dismiss the message box"
window_visible "$board" || fail "the board left the screen with the message box"

# Frozen: nothing on the field moves any more.
screenshot "$board" "$work/frozen-1.png"
sleep 1
screenshot "$board" "$work/frozen-2.png"
for i in 1 2; do
    convert "$work/frozen-$i.png" -crop "288x480+6+$menu" +repage "$work/field-$i.png"
done
changed=$(compare -metric AE "$work/field-1.png" "$work/field-2.png" null: 2>&1 || true)
[[ $changed == 0 ]] || fail "$changed field pixels changed in the second after game over"
tiles=$(nonwhite_runs "$work/frozen-2.png" "$menu" 480 22 54 86 118 150 182 214 246 278 | wc -l)
((tiles > 0)) || fail "the field is empty after game over"
if wait_for_window "Huemix" 0 "$board" >/dev/null 2>&1; then
    fail "another message box after the first was dismissed"
fi
echo "ok: score $score; after dismissing, the board stays, its field unchanged for 1 s"

key "$board" ctrl+q
wait_for_exit "$pid" 5 || fail "the game did not end within 5 s of Ctrl+Q"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
echo "ok: Ctrl+Q after game over ended the game with status 0"

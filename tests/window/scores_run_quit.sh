#!/usr/bin/env bash
# The real game under Xvfb: the score board comes first with the recorded
# scores; a name typed there, "Run", Expert, Start and Quit leave the old
# records, byte for byte, and the new game's line in the score file.
#
#   scores_run_quit.sh GAME WORKDIR
set -euo pipefail
game=$1
work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

fail() {
    echo "scores_run_quit: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config
prefs=$XDG_CONFIG_HOME/Huemix.prefs
# A CR LF line, a line without a score and a name that is not UTF-8.
printf 'Ann,12\nBob,7\r\nCid\n\xff\xfe,3\n' >"$prefs"
printf 'Ann,12\nBob,7\r\n\xff\xfe,3\nTester,0\n' >"$work/expected"

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

scores=$(wait_for_window "Scores - Huemix" 20)
[[ $(window_size "$scores") == 350x300 ]] || fail "score board is $(window_size "$scores"), not 350x300"
if xdotool search --onlyvisible --name '^Huemix$' >/dev/null 2>&1; then
    fail "the game board is on screen before Run"
fi

# The name field has the focus as soon as the window has it.
timeout 5 xdotool windowfocus --sync "$scores" || true
xdotool type --delay 40 "Tester"
sleep 0.3
click "$scores" 224 245 # "Run"

board=$(wait_for_window "Huemix" 10)
[[ $(window_size "$board") == 500x573 ]] || fail "board is $(window_size "$board"), not 500x573"
[[ $(xdotool getwindowname "$scores" 2>/dev/null || true) == "Scores - Huemix" ]] ||
    fail "the score board was closed instead of hidden"

# The menu bar sits above the board's content: its height is where the white
# playing field starts, looking down a column left of the field's middle.
offset=
for ((try = 0; try < 50; try++)); do
    screenshot "$board" "$work/board.png"
    offset=$(convert "$work/board.png" -crop 1x80+150+0 +repage -depth 8 txt:- |
        awk -F'[,:]' '/#FFFFFF/ { print $2; exit }')
    [[ -n $offset ]] && break
    sleep 0.1
done
[[ -n $offset ]] || fail "no playing field found in the board's picture"
echo "menu bar height: $offset"

click "$board" 330 $((353 + offset)) # Expert
sleep 0.3
click "$board" 138 $((510 + offset)) # Start
sleep 0.3
click "$board" 46 $((510 + offset)) # Quit

wait_for_exit "$pid" 10 || fail "the game did not quit"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
if ! cmp "$work/expected" "$prefs"; then
    echo "score file now:" >&2
    od -c "$prefs" >&2
    fail "the score file does not hold the old records and the new line"
fi
echo "ok: $(wc -l <"$prefs") records"

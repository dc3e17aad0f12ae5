#!/usr/bin/env bash
# The real game under Xvfb: the score board comes first with the recorded
# scores below the application's menu bar; a name typed there, "Run", Expert,
# Start, New Game and the new board's Quit, each clicked where described, leave
# the old records, byte for byte, and the two games' lines in the score file.
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
printf 'Ann,12\nBob,7\r\n\xff\xfe,3\nTester,0\nTester,0\n' >"$work/expected"

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

scores=$(wait_for_window "Scores" 20)
# Its menu bar: the first white row right of the list.
menu=$(content_top "$scores" "$work/scores.png" 345) || fail "no score board in the picture"
[[ $(window_size "$scores") == 350x$((300 + menu)) ]] ||
    fail "score board is $(window_size "$scores") with a menu bar of $menu px, not 350x300 below it"
if xdotool search --onlyvisible --name '^Huemix$' >/dev/null 2>&1; then
    fail "the game board is on screen before Run"
fi

# The name field has the focus as soon as the window has it.
timeout 5 xdotool windowfocus --sync "$scores" || true
xdotool type --delay 40 "Tester"
sleep 0.3
click_control "$scores" "$menu" 174 235 100 20 # "Run"

board=$(wait_for_window "Huemix" 10)
[[ $(window_size "$board") == 500x$((573 + menu)) ]] || fail "board is $(window_size "$board"), not 500x573 below the menu bar"
[[ $(xdotool getwindowname "$scores" 2>/dev/null || true) == "Scores" ]] ||
    fail "the score board was closed instead of hidden"

click_control "$board" "$menu" 320 343 100 20 # Expert
sleep 0.3
click_control "$board" "$menu" 98 500 80 20 # Start
sleep 0.3
click_control "$board" "$menu" 190 500 89 20 # New Game: records Tester,0
board=$(wait_for_window "Huemix" 10 "$board") || fail "New Game brought no new board"
sleep 0.3
click_control "$board" "$menu" 6 500 80 20 # Quit, still in Expert

wait_for_exit "$pid" 10 || fail "the game did not quit"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
if ! cmp "$work/expected" "$prefs"; then
    echo "score file now:" >&2
    od -c "$prefs" >&2
    fail "the score file does not hold the old records and the new line"
fi
echo "ok: $(wc -l <"$prefs") records"

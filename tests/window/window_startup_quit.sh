#!/usr/bin/env bash
# The real game under Xvfb: its board window "Huemix" has a 500x573 client
# area with the menu bar on top and the white playing field below it, and
# Ctrl+Q ends the process by itself with status 0.
#
#   window_startup_quit.sh GAME WORKDIR
set -euo pipefail
game=$1
work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

fail() {
    echo "window_startup_quit: $*" >&2
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
size=$(window_size "$board")
[[ $size == 500x573 ]] || fail "board client area is $size, not 500x573"
echo "ok: window \"$(xdotool getwindowname "$board")\" with a client area of $size"

# The field is the surface at content 6, 0, 288 x 480, white while empty.
menu=$(content_top "$board" "$work/startup.png" 150) || fail "no playing field in the picture"
((menu >= 10 && menu <= 40)) || fail "menu bar of $menu px: the field is not below a menu bar"
# Down the column: white from the menu bar to the field's end, then the window.
height=$(nonwhite_runs "$work/startup.png" "$menu" $((573 - menu)) 150 | awk 'NR == 1 { print $2 }')
[[ $height == 480 ]] || fail "the field is ${height:-?} px high, not 480"
[[ $(pixel "$work/startup.png" 5 $((menu + 100))) != 255,255,255 &&
    $(pixel "$work/startup.png" 6 $((menu + 100))) == 255,255,255 &&
    $(pixel "$work/startup.png" 293 $((menu + 100))) == 255,255,255 &&
    $(pixel "$work/startup.png" 294 $((menu + 100))) != 255,255,255 ]] ||
    fail "the field does not span window x 6..293"
echo "ok: menu bar $menu px; empty white field at window x 6..293, y $menu..$((menu + 479))"

key "$board" ctrl+q
wait_for_exit "$pid" 5 || fail "the game did not end within 5 s of Ctrl+Q"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
echo "ok: Ctrl+Q ended the game with status 0"

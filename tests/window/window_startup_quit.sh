#!/usr/bin/env bash
# The real game under Xvfb, window by window, each with its exact title and
# the game's icon: the score board "Scores" with the application's menu bar
# and 350x300 of content below it; About from that menu before any board
# exists (300x300); its Close brings the board "Huemix", 500x573 below the
# same menu bar, with the white field where described; HELP (425x425) and
# BACK. Ctrl+Q then ends the process by itself with status 0.
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

# expect_window TITLE CONTENT MENU: the id of the window titled exactly TITLE,
# after checking its icon and that below a menu bar of MENU px its content
# area is CONTENT (WxH).
expect_window() {
    local id size
    id=$(wait_for_window "$1" 10) || fail "no window titled '$1'"
    size=$(window_size "$id")
    [[ ${size%x*}x$((${size#*x} - $3)) == "$2" ]] ||
        fail "'$1' is $size with a menu bar of $3 px, not $2 below it"
    [[ $(xprop -id "$id" _NET_WM_ICON 2>/dev/null | head -c 40) == *CARDINAL* ]] ||
        fail "'$1' has no icon"
    echo "ok: \"$1\" with its icon, content $2 below a menu bar of $3 px" >&2
    echo "$id"
}

rm -rf "$work"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

# The score board's content is white right of its list and text.
scores=$(wait_for_window "Scores" 20) || fail "no score board"
menu=$(content_top "$scores" "$work/scores.png" 345) || fail "no score board in the picture"
((menu >= 10 && menu <= 40)) || fail "the score board shows no menu bar (${menu} px)"
expect_window "Scores" 350x300 "$menu" >/dev/null

# File is the bar's first menu; About is its last item (Up wraps to it).
click "$scores" 20 $((menu / 2))
sleep 0.5
xdotool key Up Return
about=$(expect_window "About" 300x300 0)
click_control "$about" 0 224 225 63 32 # Close

board=$(open_board "$pid" 10) || fail "no board after About's Close"
# The field is the surface at content 6, 0, 288 x 480, white while empty.
[[ $(content_top "$board" "$work/startup.png" 150) == "$menu" ]] ||
    fail "the board's menu bar is not the score board's $menu px"
expect_window "Huemix" 500x573 "$menu" >/dev/null
# Down the column: white from the menu bar to the field's end, then the window.
height=$(nonwhite_runs "$work/startup.png" "$menu" 573 150 | awk 'NR == 1 { print $2 }')
[[ $height == 480 ]] || fail "the field is ${height:-?} px high, not 480"
[[ $(pixel "$work/startup.png" 5 $((menu + 100))) != 255,255,255 &&
    $(pixel "$work/startup.png" 6 $((menu + 100))) == 255,255,255 &&
    $(pixel "$work/startup.png" 293 $((menu + 100))) == 255,255,255 &&
    $(pixel "$work/startup.png" 294 $((menu + 100))) != 255,255,255 ]] ||
    fail "the field does not span window x 6..293"
echo "ok: empty white field at window x 6..293, y $menu..$((menu + 479))"

click_control "$board" "$menu" 300 500 80 20 # HELP
help=$(expect_window "HELP" 425x425 0)
! window_visible "$board" || fail "the board stayed on screen behind HELP"
click_control "$help" 0 293 385 80 20 # BACK
for ((i = 0; i < 50; i++)); do window_visible "$board" && break || sleep 0.1; done
window_visible "$board" || fail "BACK did not bring the board back"
echo "ok: HELP hid the board, BACK showed it again"

key "$board" ctrl+q
wait_for_exit "$pid" 5 || fail "the game did not end within 5 s of Ctrl+Q"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
echo "ok: Ctrl+Q ended the game with status 0"

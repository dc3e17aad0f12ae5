#!/usr/bin/env bash
# The real game under Xvfb: Start puts a tile into the top row of the field,
# and one press of the left arrow, held over several frames, moves it exactly
# one column (32 px) to the left while it keeps falling.
#
#   window_play_steer.sh GAME WORKDIR
set -euo pipefail
game=$1
work=$2
source "$(dirname "$0")/../xvfb/lib.sh"

fail() {
    echo "window_play_steer: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config

# Window x at which each of the 9 columns is read: the field starts at x 6,
# and 5 px into a tile is its plain colour, beside the mark in its middle.
centres=()
for ((c = 0; c < 9; c++)); do
    centres+=($((6 + 32 * c + 5)))
done

# tile_in SHOT: "COLUMN TOP R,G,B" of the one tile on the field (TOP in field
# pixels); fails unless there is exactly one 32 px high tile of a tile colour.
tile_in() {
    local runs x top bottom colour
    runs=$(nonwhite_runs "$1" "$menu" 480 "${centres[@]}") || return 1
    if [[ $(grep -c . <<<"$runs") != 1 ]]; then
        echo "window_play_steer: not one tile on the field in $1:" >&2
        echo "${runs:-(none)}" >&2
        return 1
    fi
    read -r x top bottom colour <<<"$runs"
    case $colour in
        0,0,255 | 0,255,0 | 255,0,255 | 0,255,255 | 255,255,0 | 255,0,0) ;;
        *)
            echo "window_play_steer: $colour is not a tile colour ($1)" >&2
            return 1
            ;;
    esac
    if ((bottom - top + 1 != 32)); then
        echo "window_play_steer: the tile in $1 is $((bottom - top + 1)) px high" >&2
        return 1
    fi
    echo "$(((x - 6) / 32)) $top $colour"
}

start_xvfb
"$game" >"$work/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"

board=$(open_board "$pid" 20) || fail "no board window"
menu=$(content_top "$board" "$work/fresh.png" 150) || fail "no playing field in the picture"
echo "menu bar height: $menu px"

# Beginner pace, 125 ms a frame: 3.5 s from the top to the bottom line. A tile
# that starts in column 0 cannot step left: New Game and Start again.
column=
for ((game_no = 1; game_no <= 12; game_no++)); do
    click_control "$board" "$menu" 98 500 80 20 # Start
    shot=$work/start-$game_no.png
    # The click is handled a moment later: look until something is on the field.
    for ((try = 0; try < 20; try++)); do
        screenshot "$board" "$shot"
        [[ -n $(nonwhite_runs "$shot" "$menu" 480 "${centres[@]}") ]] && break
        sleep 0.05
    done
    found=$(tile_in "$shot") || fail "no single tile after Start"
    read -r column top colour <<<"$found"
    ((top < 32)) || fail "the first tile is at field y $top, not in the top row"
    echo "game $game_no: tile $colour released in column $column, at field y $top"
    ((column > 0)) && break
    old=$board
    click_control "$board" "$menu" 190 500 89 20 # New Game
    board=$(wait_for_window "Huemix" 10 "$old") || fail "New Game showed no new board"
    sleep 0.3
done
((column > 0)) || fail "12 games in a row started in column 0"

# One press, held over three frames: the step latch lets it move once only.
hold_key "$board" Left 0.4
sleep 0.3
screenshot "$board" "$work/steered.png"
found=$(tile_in "$work/steered.png") || fail "no single tile after the left arrow"
read -r column2 top2 colour2 <<<"$found"
echo "after one left press held 0.4 s: tile $colour2 in column $column2, at field y $top2"
[[ $colour2 == "$colour" ]] || fail "the tile changed colour from $colour to $colour2"
((top2 > top)) || fail "the tile did not fall (field y $top, then $top2)"
((column2 == column - 1)) ||
    fail "the tile went from column $column to $column2, not one column left"
echo "ok: one column left, $(((column - column2) * 32)) px, while falling $((top2 - top)) px"

key "$board" ctrl+q
wait_for_exit "$pid" 5 || fail "the game did not end within 5 s of Ctrl+Q"
[[ $EXIT_STATUS == 0 ]] || fail "the game exited with status $EXIT_STATUS"
echo "ok: Ctrl+Q ended the game with status 0"

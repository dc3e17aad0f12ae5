#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a picture of each of the game's four windows under a private Xvfb, at
# the window's exact size, into resources/screenshots/ (or the folder given):
# scores.png, about.png, help.png, and board.png a few seconds into a game;
# then the same at 1.5 and 2 times the size (QT_SCALE_FACTOR), as
# NAME@1.5x.png and NAME@2x.png; and the board in each language the game
# speaks, as board-LANG.png.
# Run by hand after a change to a window; CI does not run it.
#
#   tools/screenshots.sh [GAME [FOLDER]]    (default: build/bin/huemix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/bin/huemix}
out=${2:-$root/resources/screenshots}
source "$root/tests/window/xvfb.sh"
# The bridge reports places on the screen, unscaled; the pointer moves in the
# window's pixels, and windows open centred, not at the corner.
press() {
    local x y w h ox oy s=${QT_SCALE_FACTOR:-1} && read -r x y w h < <(find_control "${CONTROLS[$2]}")
    [[ -n $h ]] || fail "the game shows no ${CONTROLS[$2]/:/ named }"
    read -r ox oy < <(xwininfo -id "$1" | awk '/Absolute upper-left/ { printf "%s ", $NF } END { print "" }')
    click "$1" "$(awk -v v=$((x + w / 2)) -v s="$s" -v o="$ox" 'BEGIN { printf "%d", v * s - o }')" \
        "$(awk -v v=$((y + h / 2)) -v s="$s" -v o="$oy" 'BEGIN { printf "%d", v * s - o }')"
}

work=$(mktemp -d)
at_exit "rm -rf '$work'"
mkdir -p "$out" "$work/config"
printf 'Ann,12\nBob,7\nCid,30\n' >"$work/config/Huemix.prefs"

XVFB_SCREEN=2560x2048x24 start_xvfb # the board at 2x is taller than 1024
# shots SCALE SUFFIX: the four pictures of the game at QT_SCALE_FACTOR SCALE, named NAME$SUFFIX.png
shots() {
    export QT_SCALE_FACTOR=$1 && suffix=$2
    open_scores "$game" "$work"
    focus "$scores"
    xdotool type --delay 40 "Player"
    sleep 0.5
    import -window "$scores" "$out/scores$suffix.png"

    about=$(open_about)
    sleep 0.5
    import -window "$about" "$out/about$suffix.png"
    press "$about" Close

    board=$(wait_for_window "Huemix" 10)
    sleep 0.5
    press "$board" HELP
    help=$(wait_for_window "HELP" 10)
    sleep 0.5
    import -window "$help" "$out/help$suffix.png"
    press "$help" BACK
    shown "$board" "$help" || fail "BACK brought no board"
    press "$board" Start
    sleep 8
    import -window "$board" "$out/board$suffix.png"
    key "$board" ctrl+q
    exits_cleanly
}
# Frame lines, texts and marks must survive fractional scales as well as whole ones.
shots 1 "" && shots 1.5 @1.5x && shots 2 @2x

# board_in LANG TITLE: the board a few seconds into a game, the game speaking
# LANG; TITLE is the score board's title there. Keys alone, as every caption differs.
board_in() {
    (
        export QT_SCALE_FACTOR=1 HUEMIX_LANGUAGE=$1
        launch "$game" "$work" && scores=$(wait_for_window "$2" 30) || fail "no score board in $1"
        focus "$scores" && xdotool type --delay 40 "Player" && key "$scores" Return
        board=$(wait_for_window "Huemix" 10) || fail "no board in $1"
        sleep 0.5 && key "$board" s
        sleep 8
        import -window "$board" "$out/board-$1.png"
        key "$board" ctrl+q
        exits_cleanly
    )
}
board_in de Bestenliste && board_in fr Scores && board_in es Puntuaciones
for name in scores about help board; do for suffix in "" @1.5x @2x; do
    echo "$out/$name$suffix.png: $(identify -format '%wx%h' "$out/$name$suffix.png")"
done; done
for lang in de fr es; do echo "$out/board-$lang.png: $(identify -format '%wx%h' "$out/board-$lang.png")"; done

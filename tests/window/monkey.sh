#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Random clicks, menus and keys on every window of the real game, which must neither crash nor
# stop answering; a game that ends restarts.   monkey.sh [GAME]
#   HUEMIX_MONKEY_SECONDS (40), HUEMIX_MONKEY_SEED
# shellcheck disable=SC2046,SC2086 # the arrows', a window's and a menu's words split
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"
game=${1:-$here/../../build/bin/huemix}
seed=${HUEMIX_MONKEY_SEED:-$((${EPOCHREALTIME/./} % 1000000000))}
fail() {
    echo "monkey (seed $seed, last: ${act:-}): $*" >&2 && tail -20 "$work/game.log" >&2 && exit 1
}
make_work && RANDOM=$seed runs=0 && echo "monkey: seed $seed"
declare -A ACTS=([Scores]="Run Run Name type key spot File" [popup]="spot Return Escape key"
    [HELP]="BACK BACK key spot" [About]="Close Close key spot"
    [board]="Quit Start NewGame HELP Beginner Expert File Edit hold hold key spot")
start_run() {
    runs=$((runs + 1)) && open_scores "$game" "$work" $'Ann,12\nBob,7\n' && seen=$SECONDS
}
user_times() {
    for id in $(timeout 5 xdotool search --pid "$PID" 2>/dev/null); do
        xprop -id "$id" _NET_WM_USER_TIME
    done 2>/dev/null
}
stamped() { ! kill -0 "$PID" 2>/dev/null || [[ $(user_times) != "$1" ]]; } # or ended
# answers ID: a Shift on ID stamps the focused window's user time, unless the event loop is stuck
answers() {
    local before && before=$(user_times) && key "$1" shift 2>/dev/null || true
    within 15 stamped "$before" || fail "the game does not answer for 15 s"
}
scan() { # "ID KIND W H" of each visible window, bottom to top; a menu or message box is a popup
    for id in $(timeout 5 xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null) &&
            read -r w h < <(window_size "$id" | tr x ' ') || continue
        if [[ $name != Huemix ]]; then
            echo "$id $name $w $h"
        else
            echo "$id $( ((w == 500 && h >= 573)) && echo board || echo popup) $w $h"
        fi
    done
}
play() { # play ID KIND W H: one random action on the window
    local keys=(Return Escape space Tab BackSpace ctrl+v ctrl+z q) arrows=(Left Right) acts
    ((RANDOM % 200)) || keys=(ctrl+q)
    read -ra acts <<<"${ACTS[$2]:-${ACTS[popup]}}" && act=${acts[RANDOM % ${#acts[@]}]}
    [[ $act != key ]] || act=${keys[RANDOM % ${#keys[@]}]}
    case $act in
        File | Edit) click "$1" $([[ $act == File ]] && echo 20 || echo 56) $((menu / 2)) ;;
        spot) click "$1" $((RANDOM % $3)) $((RANDOM % $4)) ;;
        type) focus "$1" && timeout 10 xdotool type --delay 15 "$RANDOM" ;;
        hold)
            focus "$1" && timeout 5 xdotool keydown ${arrows[RANDOM % 2]} \
                sleep "0.$((RANDOM % 4))$((RANDOM % 9 + 1))" keyup Left Right
            ;;
        *) if [[ -v CONTROLS[$act] ]]; then (press "$1" "$act"); else key "$1" "$act"; fi ;;
    esac && act="$act on $2"
}
start_xvfb && start_run
while ((SECONDS < ${HUEMIX_MONKEY_SECONDS:-40})); do
    mapfile -t wins < <(scan) # the window on top, the last, gets most actions; seen after it
    if ((${#wins[@]})); then
        play ${wins[RANDOM % 10 ? -1 : RANDOM % ${#wins[@]}]} 2>/dev/null || true
        seen=$SECONDS
    fi
    ((SECONDS - seen < 10)) || fail "no window on screen for 10 s" && sleep "0.$((RANDOM % 15))"
    if kill -0 "$PID" 2>/dev/null; then
        answers "$(scan | awk 'END { print $1 }')"
    else
        wait "$PID" || fail "the game exited with status $?" && start_run
    fi
done
echo "monkey: ok: $((runs - 1)) runs ended with status 0"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Monkey test: random clicks on the controls of every window of the real game
# (score board, board, help, About, message boxes, menus) and random keys
# (arrows held, Return, Escape, letters, the edit and quit shortcuts). It fails
# when the game crashes, stops answering for 15 s, or leaves a score file that
# is neither the old content nor whole name,score lines holding every old
# record. A game that quits with status 0 is started again.
#
#   monkey.sh [GAME [WORKDIR]]   HUEMIX_MONKEY_SECONDS (120), HUEMIX_MONKEY_SEED
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=${1:-$here/../../build/bin/huemix} work=${2:-$(mktemp -d)}
seed=${HUEMIX_MONKEY_SEED:-$((${EPOCHREALTIME/./} % 1000000000))}
source "$here/../xvfb/lib.sh"
fail() { echo "monkey (seed $seed, run $runs, last: ${act:-}): $*" >&2 && tail -20 "$work/game.log" >&2 && exit 1; }

rm -rf "$work" && mkdir -p "$work/config" "$work/bin" "$work/runtime" && chmod 700 "$work/runtime"
export PATH=$work/bin:$PATH XDG_RUNTIME_DIR=$work/runtime
printf '#!/bin/sh\n' >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open" # the mail link opens nothing
prefs=$work/config/Huemix.prefs
printf 'Ann,12\nBob,7\nCyd,40\nAnn,3\nDee,0\n' >"$prefs"
RANDOM=$seed runs=0 saves=0 actions=0
echo "monkey: seed $seed"

declare -A win size
scan() { # the game's visible windows by role, on top first in roles
    local id name w h role
    win=() size=() roles=()
    for id in $(timeout 5 xdotool search --onlyvisible --pid "$PID" 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null) && read -r w h < <(window_size "$id" | tr x ' ') || continue
        case $name in
            Scores) role=scores ;; HELP) role=help ;; About) role=about ;;
            Huemix) case "$((w == 500 && h >= 573)) $(xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null)" in
                1*) role=board ;; *MENU*) role=menu ;; *DIALOG*) role=box ;; *) role=other ;; esac ;;
            *) role=other ;;
        esac
        win[$role]=$id size[$role]="$w $h"
    done
    for role in menu box about help board scores other; do [[ -z ${win[$role]:-} ]] || roles+=("$role"); done
}
start_run() {
    runs=$((runs + 1)) calm_until=0
    cp "$prefs" "$work/before"
    ((runs > 1 && RANDOM % 3)) || calm_until=$((SECONDS + 100)) # time for an Expert game to end
    launch "$game" "$work"
    wait_for_window Scores 30 >/dev/null || fail "no score board within 30 s"
    ((runs > 1)) || menu=$(content_top "$(wait_for_window Scores)" "$work/menu.png" 345)
    scan
    # Mostly a name first: without one nothing is recorded.
    ((RANDOM % 4 == 0)) || perform type scores "P$RANDOM" || true
}
ended() { # the game ended by itself: status 0, and a sound score file
    local status=0
    wait "$PID" || status=$?
    ((status == 0)) || fail "the game exited with status $status"
    cmp -s "$work/before" "$prefs" && return 0
    saves=$((saves + 1))
    [[ $(tail -c 1 "$prefs") == "" ]] || fail "the score file ends in the middle of a line"
    ! grep -nvE '^[^,]+,-?[0-9]+$' "$prefs" >&2 || fail "lines that are not name,score in the score file"
    [[ -z $(LC_ALL=C comm -23 <(LC_ALL=C sort "$work/before") <(LC_ALL=C sort "$prefs")) ]] ||
        fail "old records are missing from the score file"
    [[ -z $(find "$work/config" -mindepth 1 ! -name Huemix.prefs) ]] || fail "files left beside the score file"
}
# A key press is stamped into the user time of the game's focused window: a
# stuck event loop stamps none, a slow one does within 15 s.
user_times() { for id in $(timeout 5 xdotool search --pid "$PID" 2>/dev/null); do xprop -id "$id" _NET_WM_USER_TIME; done 2>/dev/null; }
answers() {
    local before i
    before=$(user_times) && scan
    ((${#roles[@]} == 0)) || key "${win[${roles[0]}]}" shift 2>/dev/null || true
    for ((i = 0; i < 150; i++)); do
        kill -0 "$PID" 2>/dev/null && [[ $(user_times) == "$before" ]] || return 0
        sleep 0.1
    done
    fail "the game does not answer for 15 s"
}
choose() { # act <- one of "WEIGHT:ACTION"s for the window ROLE
    local role=$1 w h a total=0 r keys=(Return Escape space Tab BackSpace ctrl+a ctrl+c ctrl+v ctrl+x ctrl+z a q)
    read -r w h <<<"${size[$role]}"
    local key="key $role ${keys[RANDOM % ${#keys[@]}]}" spot="click $role $((RANDOM % w)) $((RANDOM % h))"
    local calm=$((SECONDS < calm_until)) bar=$((menu / 2))
    ((calm || RANDOM % 200)) || key="key $role ctrl+q"
    case $role$calm in
        scores*) set -- "28:press Run" "8:press Name" "15:type $RANDOM" "13:$key" "15:$spot" "5:click $role 20 $bar" ;;
        board1) set -- "5:press Start" "10:press Expert" "50:hold" "20:idle" "10:$spot" ;;
        board0) set -- "4:press Quit" "8:press Start" "5:press NewGame" "5:press HELP" "4:press Beginner" "5:press Expert" \
            "3:click $role 20 $bar" "2:click $role 56 $bar" "30:hold" "9:idle" "11:$key" "11:$spot" ;;
        help*) set -- "55:press BACK" "20:key $role Return" "10:$key" "15:$spot" ;;
        about*) set -- "55:press Close" "10:press Mail" "15:$key" "20:$spot" ;;
        box*) set -- "45:click $role $((w - 50)) $((h - 23))" "20:key $role Return" "10:key $role Escape" "10:$key" "15:$spot" ;;
        menu*) set -- "70:click $role $((w / 2)) $((4 + RANDOM % (h - 8)))" "30:key $role Escape" ;;
        *) set -- "1:$key" "1:$spot" ;;
    esac
    for a; do total=$((total + ${a%%:*})); done
    r=$((RANDOM % total))
    for a; do
        r=$((r - ${a%%:*}))
        ((r >= 0)) || { act=${a#*:} && break; }
    done
    [[ $act == *" $role "* ]] || act="${act%% *} $role ${act#* }"
}
# shellcheck disable=SC2086 # the arrows' names split
perform() { # perform KIND ROLE ARGS...
    local id=${win[$2]:-} keys=(Left Right "Left Right")
    actions=$((actions + 1))
    case $1 in
        idle) sleep "0.$((RANDOM % 9 + 1))" ;;
        press) press "$id" "$3" "$([[ $2 == board || $2 == scores ]] && echo "$menu")" ;;
        click) click "$id" "$3" "$4" ;;
        key) focus "$id" && timeout 5 xdotool key "${@:3}" ;;
        type) focus "$id" && timeout 10 xdotool type --delay 15 "$3" ;;
        # One arrow or both, held 11 to 400 ms.
        hold) focus "$id" && timeout 5 xdotool keydown ${keys[RANDOM % 3]} sleep "0.$((RANDOM % 4))$((RANDOM % 9 + 1))" keyup Left Right ;;
    esac
}

start_xvfb
start_run
seen=$SECONDS
while ((SECONDS < ${HUEMIX_MONKEY_SECONDS:-120})); do
    scan
    [[ -z ${win[box]:-} ]] || calm_until=0
    ((${#roles[@]} == 0)) || seen=$SECONDS
    ((SECONDS - seen < 10)) || fail "no window on screen for 10 s"
    if ((${#roles[@]})); then # the window on top gets most actions
        ((RANDOM % 10)) && role=${roles[0]} || role=${roles[RANDOM % ${#roles[@]}]}
        choose "$role"
        # shellcheck disable=SC2086
        perform $act 2>/dev/null || true
        sleep "0.$((RANDOM % 15))"
    fi
    if kill -0 "$PID" 2>/dev/null; then answers; else ended && start_run && seen=$SECONDS; fi
done
echo "monkey: ok: $actions actions, $((runs - 1)) runs ended with status 0, $saves score file saves"

# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Real-window helpers: a private Xvfb, the game's windows and controls, a few
# xdotool moves. Source it from a bash script running under `set -euo pipefail`.
# There is no window manager: keys reach a window through focus set directly.
_exit_cmds=()
at_exit() { _exit_cmds+=("$1"); } # run the shell string at exit, newest first
_on_exit() { local i; for ((i = ${#_exit_cmds[@]} - 1; i >= 0; i--)); do eval "${_exit_cmds[i]}" || true; done; }
trap _on_exit EXIT && trap 'exit 130' INT && trap 'exit 143' TERM
declare -F fail >/dev/null || fail() { echo "$(basename "$0" .sh): $*" >&2 && exit 1; }
_src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# start_xvfb: an Xvfb of our own on a display it finds free itself.
start_xvfb() {
    local out i
    out=$(mktemp) && at_exit "rm -f $out"
    # -noreset: a server resetting as its last client leaves refuses the next.
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$out" 2>/dev/null &
    at_exit "kill $! 2>/dev/null"
    for ((i = 0; i < 100; i++)); do
        [[ -s $out ]] && export DISPLAY=":$(<"$out")" QT_QPA_PLATFORM=xcb && unset WAYLAND_DISPLAY && return 0
        sleep 0.1
    done
    fail "no X display of our own"
}

# launch GAME WORK: the game on the config folder in WORK; sets PID.
launch() {
    mkdir -p "$2/config"
    export XDG_CONFIG_HOME=$2/config
    "$1" >"$2/game.log" 2>&1 &
    PID=$!
    at_exit "kill $PID 2>/dev/null"
}

# wait_for_window TITLE [TIMEOUT_S [EXCEPT_ID]]: the id of a visible window
# titled exactly TITLE; EXCEPT_ID is skipped (a message box shares its title).
wait_for_window() {
    local id deadline=$((SECONDS + ${2:-10}))
    while :; do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [[ $id != "${3:-}" && $(xdotool getwindowname "$id") == "$1" ]] && echo "$id" && return 0
        done
        ((SECONDS < deadline)) || { echo "no window '$1' after ${2:-10} s" >&2 && return 1; }
        sleep 0.1
    done
}
window_size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { print $2 }'; } # WxH
window_visible() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
screenshot() { import -window "$1" "$2"; }
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }
key() { focus "$1" && xdotool key --clearmodifiers "${@:2}"; }
# No --sync: xdotool waits forever when the pointer is already there.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# The controls, each found by its name in the source of the window that makes
# it, so no script holds a position of its own. Positions are in the window's
# content, below the menu bar where the window has one.
declare -A CONTROLS=(
    [Run]="scores/Window4 StaticText3" [Name]="scores/Window4 EditField1"
    [Start]="board/Window1 PushButton1" [Quit]="board/Window1 PushButton3"
    [NewGame]="board/Window1 PushButton4" [HELP]="board/Window1 PushButton5"
    [Beginner]="board/Window1 RadioButton1" [Expert]="board/Window1 RadioButton2"
    [BACK]="info/Window2 PushButton1" [Close]="info/Window3 PushButton1"
    [Mail]="info/Window3 StaticText5")
# press ID CONTROL [MENU]: click the control's centre, MENU px below the top.
press() {
    local file name x y w h
    read -r file name <<<"${CONTROLS[$2]}"
    read -r x y w h < <(sed -n "s/.*\"$name\", {\([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)}.*/\1 \2 \3 \4/p" \
        "$_src/$file.cpp" | grep .) || fail "no control $name in $file.cpp"
    click "$1" $((x + w / 2)) $((${3:-0} + y + h / 2))
}

# content_top ID FILE [X]: the menu bar's height, the first white row at x X
# (150) of a window whose content is white there; FILE keeps the screenshot.
content_top() {
    local i y
    for ((i = 0; i < 50; i++)); do
        y=$(screenshot "$1" "$2" && convert "$2" -crop 1x80+${3:-150}+0 +repage -depth 8 txt:- |
            awk -F'[,:]' '/#FFFFFF/ { print $2; exit }')
        [[ -n $y ]] && echo "$y" && return 0
        sleep 0.1
    done
    fail "no white row in the top of window $1"
}

# exits_cleanly: the game ends within 10 s with status 0.
exits_cleanly() {
    local i status=0
    for ((i = 0; i < 100; i++)); do kill -0 "$PID" 2>/dev/null && sleep 0.1; done
    ! kill -0 "$PID" 2>/dev/null || fail "the game did not end"
    wait "$PID" || status=$?
    ((status == 0)) || fail "the game exited with status $status: $(tail -3 "$work/game.log")"
}

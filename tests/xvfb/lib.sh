# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Real-window helpers for scripts under `set -euo pipefail`. There is no window
# manager: keys reach a window through focus set directly; nothing raises one.
trap 'kill $(jobs -p) 2>/dev/null' EXIT && trap 'exit 143' INT TERM
fail() { echo "$(basename "$0" .sh): $*" >&2 && exit 1; }

start_xvfb() { # on a display the server finds free; -noreset, or it refuses the next client after the last leaves
    coproc XVFB { exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null; }
    read -r -t 10 n <&"${XVFB[0]}" || fail "no X display of our own"
    export DISPLAY=:$n QT_QPA_PLATFORM=xcb && unset WAYLAND_DISPLAY
}
launch() { # launch GAME WORK: the game on the config folder in WORK; sets PID and log
    export XDG_CONFIG_HOME=$2/config && mkdir -p "$XDG_CONFIG_HOME" && log=$2/game.log
    "$1" >"$log" 2>&1 & PID=$!
}
# wait_for_window TITLE [TIMEOUT_S [EXCEPT_ID]]: the id of a visible window
# titled exactly TITLE but EXCEPT_ID (a message box shares the board's title).
wait_for_window() {
    local id i
    for ((i = 0; i <= ${2:-10} * 10; i++)); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do # which ignores case
            [[ $id != "${3:-}" && $(xdotool getwindowname "$id") == "$1" ]] && echo "$id" && return
        done
        sleep 0.1
    done && echo "no window '$1' after ${2:-10} s" >&2 && false
}
window_size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { print $2 }'; } # WxH
window_visible() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }
key() { focus "$1" && xdotool key --clearmodifiers "${@:2}"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; } # no --sync: it hangs when the pointer is there

# press ID CONTROL: click the centre of the control's rectangle as the line
# creating it in its window's source gives it, below the measured $menu bar
# where that source sets one.
declare -A CONTROLS=([Run]="scores/Window4 StaticText3" [Name]="scores/Window4 EditField1"
    [Start]="board/Window1 PushButton1" [Quit]="board/Window1 PushButton3" [NewGame]="board/Window1 PushButton4"
    [HELP]="board/Window1 PushButton5" [Beginner]="board/Window1 RadioButton1" [Expert]="board/Window1 RadioButton2"
    [BACK]="info/Window2 PushButton1" [Close]="info/Window3 PushButton1" [Mail]="info/Window3 StaticText5")
press() {
    local x y w h src=${BASH_SOURCE[0]%/*}/../../${CONTROLS[$2]% *}.cpp
    read -r x y w h < <(sed -n "s/.*\"${CONTROLS[$2]#* }\", {\([0-9, ]*\)}.*/\1/p" "$src" | tr -d ,) || fail "no control $2"
    ! grep -q setMenuBar "$src" || y=$((y + ${menu:-0}))
    click "$1" $((x + w / 2)) $((y + h / 2))
}
# content_top ID [X]: the menu bar's height, the first white row at x X (150)
# of a window whose content is white there.
content_top() {
    local i y
    for ((i = 0; i < 50; i++)); do
        y=$(convert "x:$1" -crop "1x80+${2:-150}+0" +repage -depth 8 txt:- | awk -F'[,:]' '/#FFFFFF/ { print $2; exit }')
        [[ -n $y ]] && echo "$y" && return || sleep 0.1
    done && fail "no white row in the top of window $1"
}
exits_cleanly() { # the game ends within 10 s with status 0
    timeout 10 tail --pid="$PID" -f /dev/null || fail "the game did not end"
    wait "$PID" || fail "the game exited with status $?: $(tail -3 "$log")"
}

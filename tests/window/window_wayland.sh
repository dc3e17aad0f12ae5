#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game natively on Wayland (a headless compositor), through the accessibility bridge
# alone as no X tool works there: the score board, About from its File menu, Close, Start and
# Quit.   window_wayland.sh GAME
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
game=$1 && make_work && start_bus
weston --backend=headless-backend.so --socket=huemix --idle-time=0 >"$work/weston.log" 2>&1 &
within 10 test -S "$XDG_RUNTIME_DIR/huemix" || fail "no compositor: $(tail -3 "$work/weston.log")"
export WAYLAND_DISPLAY=huemix QT_QPA_PLATFORM=wayland && unset DISPLAY
act() { # act ROLE:NAME METHOD ARGS...
    [[ -n $(find_control "$1" "${@:2}") ]] || fail "the game shows no ${1/:/ named }"
}
launch "$game" "$work"
act frame:Scores org.a11y.atspi.Accessible.GetRoleName
act "menu item:AboutHuemix" org.a11y.atspi.Action.DoAction 0 &&
    act "push button:Close" org.a11y.atspi.Action.DoAction 0
act "push button:Start" org.a11y.atspi.Action.DoAction 0 && sleep 0.5
start=$(state_of "push button:Start")
((start >> 8 & 1)) && fail "Start started no game (it is still enabled)"
act "push button:Quit" org.a11y.atspi.Action.DoAction 0 && exits_cleanly
echo "ok: on Wayland the score board, About, the board, Start and Quit"

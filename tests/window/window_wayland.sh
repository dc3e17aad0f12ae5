#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game natively on Wayland (a headless compositor), through the accessibility bridge alone as
# no X tool works there: the score board, About from its File menu, Close, Start and Quit.   GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../../headless/xvfb.sh"
rm -rf "$work" && mkdir -p "$work" && start_bus
weston --backend=headless-backend.so --socket=huemix --idle-time=0 >"$work/weston.log" 2>&1 &
for ((i = 0; i < 100; i++)); do [[ -S $XDG_RUNTIME_DIR/huemix ]] && break || sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/huemix ]] && export WAYLAND_DISPLAY=huemix QT_QPA_PLATFORM=wayland && unset DISPLAY ||
    fail "no compositor: $(tail -3 "$work/weston.log")"
act() { [[ -n $(find_control "$1" "${@:2}") ]] || fail "the game shows no ${1/:/ named }"; } # act ROLE:NAME METHOD ARGS...
enabled() { (($(find_control "$1" org.a11y.atspi.Accessible.GetState | sed 's/.*uint32 \([0-9]*\).*/\1/') >> 8 & 1)); }
launch "$game" "$work"
act frame:Scores org.a11y.atspi.Accessible.GetRoleName
act "menu item:AboutHuemix" org.a11y.atspi.Action.DoAction 0 && act "push button:Close" org.a11y.atspi.Action.DoAction 0
act "push button:Start" org.a11y.atspi.Action.DoAction 0 && sleep 0.5 && ! enabled "push button:Start" || fail "Start started no game"
act "push button:Quit" org.a11y.atspi.Action.DoAction 0 && exits_cleanly
echo "ok: on Wayland the score board, About, the board, Start and Quit"

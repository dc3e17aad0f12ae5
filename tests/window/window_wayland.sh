#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game natively on Wayland, under a compositor without a screen, through the accessibility
# bridge alone (no X tool works there): the score board, About from its File menu, About's Close to
# the board, Start and Quit. The game may print on stderr only what a bare Qt window prints there.
#   window_wayland.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2 bare=$(dirname "$1")/huemix_bare_window
source "$(dirname "$0")/../../headless/xvfb.sh"
rm -rf "$work" && mkdir -p "$work/config" && export XDG_CONFIG_HOME=$work/config && start_bus
weston --backend=headless-backend.so --socket=huemix --idle-time=0 >"$work/weston.log" 2>&1 &
for ((i = 0; i < 100; i++)); do [[ -S $XDG_RUNTIME_DIR/huemix ]] && break || sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/huemix ]] && export WAYLAND_DISPLAY=huemix QT_QPA_PLATFORM=wayland && unset DISPLAY ||
    fail "no compositor: $(tail -3 "$work/weston.log")"
act() { [[ -n $(find_control "$1" "${@:2}") ]] || fail "the game shows no ${1/:/ named }"; } # act ROLE:NAME METHOD ARGS...
enabled() { (($(find_control "$1" org.a11y.atspi.Accessible.GetState | sed 's/.*uint32 \([0-9]*\).*/\1/') >> 8 & 1)); }
LANGUAGE=en QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game" >"$work/game.out" 2>"$work/game.err" & PID=$!
act frame:Scores org.a11y.atspi.Accessible.GetRoleName
act "menu item:AboutHuemix" org.a11y.atspi.Action.DoAction 0 && act "push button:Close" org.a11y.atspi.Action.DoAction 0
act "push button:Start" org.a11y.atspi.Action.DoAction 0 && sleep 0.5 && ! enabled "push button:Start" || fail "Start started no game"
act "push button:Quit" org.a11y.atspi.Action.DoAction 0 && log=$work/game.err && exits_cleanly
# What Qt prints for any program here, read off a bare window on the same compositor.
[[ -x $bare ]] || { echo "ok, but no $bare to compare stderr with" && exit 0; }
"$bare" 2>"$work/bare.err" & PID=$! && sleep 2 && kill "$PID" && wait "$PID" 2>/dev/null || true
! grep -vxFf "$work/bare.err" "$work/game.err" >&2 || fail "the game printed the above on stderr"
echo "ok: on Wayland the score board, About, the board, Start and Quit; stderr as a bare window's"

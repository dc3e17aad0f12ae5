#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game natively on Wayland, under a compositor without a screen:
# the score board appears, About from its File menu and About's Close reach
# the board, Start starts a game and Quit ends it, all through the
# accessibility bridge (no X tool works there). The game may print on stderr
# only what a bare Qt window prints there too.
#   window_wayland.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2 bare=$(dirname "$1")/huemix_bare_window
source "$(dirname "$0")/../../headless/xvfb.sh"

rm -rf "$work" && mkdir -p "$work/config" && export XDG_CONFIG_HOME=$work/config
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR && at_exit "stop_jobs; rm -rf '$XDG_RUNTIME_DIR'"
weston --backend=headless-backend.so --socket=huemix --idle-time=0 >"$work/weston.log" 2>&1 &
for ((i = 0; i < 100; i++)); do [[ -S $XDG_RUNTIME_DIR/huemix ]] && break || sleep 0.1; done
[[ -S $XDG_RUNTIME_DIR/huemix ]] || fail "no compositor: $(tail -3 "$work/weston.log")"
export WAYLAND_DISPLAY=huemix QT_QPA_PLATFORM=wayland && unset DISPLAY
dbus-daemon --session --nofork --print-address=3 3>"$XDG_RUNTIME_DIR/bus" >/dev/null 2>&1 &
for ((i = 0; i < 50; i++)); do [[ -s $XDG_RUNTIME_DIR/bus ]] && break || sleep 0.1; done
DBUS_SESSION_BUS_ADDRESS=$(<"$XDG_RUNTIME_DIR/bus") && export DBUS_SESSION_BUS_ADDRESS

# act ROLE:NAME [METHOD ARGS...]: calls METHOD (by default the control's first
# action) on the game's control and prints the answer; fails if there is none.
act() {
    local a11y app node queue=(/org/a11y/atspi/accessible/root) api=org.a11y.atspi.Accessible i
    a11y=$(gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress | cut -d"'" -f2)
    for ((i = 0; ; i++)); do # the game registers a moment after its first window shows
        for app in $(atspi org.a11y.atspi.Registry "${queue[0]}" $api.GetChildren | grep -o ':[0-9.]*'); do
            atspi org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID "$app" |
                grep -qw "$PID" && break 2
        done
        ((i < 300)) || fail "the game did not reach the accessibility bus in 30 s"
        sleep 0.1
    done
    while ((${#queue[@]})); do
        node=${queue[0]} && queue=("${queue[@]:1}")
        # shellcheck disable=SC2053 # NAME is a glob
        if [[ $(atspi "$app" "$node" $api.GetRoleName) == "${1%%:*}" &&
            $(atspi "$app" "$node" org.freedesktop.DBus.Properties.Get $api Name) == ${1#*:} ]]; then
            if (($# > 1)); then atspi "$app" "$node" "${@:2}"; else atspi "$app" "$node" org.a11y.atspi.Action.DoAction 0; fi
            return
        fi
        mapfile -t -O ${#queue[@]} queue < <(atspi "$app" "$node" $api.GetChildren | grep -o '/org/a11y/atspi/accessible/[0-9]*')
    done
    fail "the game shows no ${1/:/ named }"
}
enabled() { (($(act "$1" org.a11y.atspi.Accessible.GetState | sed 's/.*uint32 \([0-9]*\).*/\1/') >> 8 & 1)); } # ATSPI_STATE_ENABLED

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$game" >"$work/game.out" 2>"$work/game.err" & PID=$!
act filler:Scores org.a11y.atspi.Accessible.GetRoleName >/dev/null
act "menu item:AboutHuemix" >/dev/null && act "push button:Close" >/dev/null
enabled "push button:Start" || fail "About's Close showed no board to start"
act "push button:Start" >/dev/null && sleep 0.5
! enabled "push button:Start" || fail "Start started no game"
act "push button:Quit" >/dev/null
timeout 10 tail --pid="$PID" -f /dev/null || fail "Quit did not end the game"
wait "$PID" || fail "the game exited with status $?: $(tail -3 "$work/game.err")"

# What Qt prints for any program here, read off a bare window on the same compositor.
[[ -x $bare ]] || { echo "ok, but no $bare to compare stderr with" && exit 0; }
"$bare" 2>"$work/bare.err" & PID=$! && sleep 2 && kill "$PID" && wait "$PID" 2>/dev/null || true
! grep -vxFf "$work/bare.err" "$work/game.err" >&2 || fail "the game printed the above on stderr"
echo "ok: on Wayland the score board, About, the board, Start and Quit; stderr as a bare window's"

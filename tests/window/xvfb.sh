# SPDX-License-Identifier: MIT
# shellcheck shell=bash disable=SC2053 # a control's NAME is a glob
# Real-window helpers for scripts under `set -euo pipefail`; keys reach a window through focus
# set directly.
AT_EXIT=() # at_exit CMD: run at the end, the newest first, whatever the rest do
at_exit() { AT_EXIT=("$*" "${AT_EXIT[@]}"); }
on_exit() { local c && for c in "${AT_EXIT[@]}"; do eval "$c" || true; done; }
trap on_exit EXIT && trap 'exit 143' INT TERM
stop_jobs() { jobs -p | xargs -r kill 2>/dev/null; } && at_exit stop_jobs
fail() { echo "$(basename "$0" .sh): $*" >&2 && exit 1; }
within() { # within SECONDS COMMAND...: COMMAND succeeds, tried every 0.1 s for SECONDS
    local tries
    for ((tries = 0; tries < $1 * 10; tries++)); do "${@:2}" && return || sleep 0.1; done
    false
}
# Sets work, a fresh folder of this run's own, removed at the end (after the jobs that write
# there): nothing is left in the build tree or from an earlier run.
make_work() {
    work=$(mktemp -d) && at_exit "stop_jobs; rm -rf '$work'"
}

# on a display the server finds free, of XVFB_SCREEN (1280x1024x24); -noreset, or it refuses
# the next client after the last leaves
start_xvfb() {
    coproc XVFB {
        exec Xvfb -displayfd 1 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
            2>/dev/null
    }
    read -r -t 10 n <&"${XVFB[0]}" || fail "no X display of our own"
    export DISPLAY=:$n QT_QPA_PLATFORM=xcb && unset WAYLAND_DISPLAY && start_bus
}
# a runtime folder and session bus of our own, where the game's accessibility bridge tells its
# controls
start_bus() {
    XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR
    at_exit "stop_jobs; rm -rf '$XDG_RUNTIME_DIR'" # the jobs first, so none writes there after
    dbus-daemon --session --nofork --print-address=3 3>"$XDG_RUNTIME_DIR/bus" >/dev/null 2>&1 &
    within 5 test -s "$XDG_RUNTIME_DIR/bus" || fail "no session bus of our own"
    DBUS_SESSION_BUS_ADDRESS=$(<"$XDG_RUNTIME_DIR/bus") && export DBUS_SESSION_BUS_ADDRESS
}
# launch GAME WORK: the game on WORK/config, its bridge on, in English (or HUEMIX_LANGUAGE) as
# controls are found by name; sets PID and log
launch() {
    export XDG_CONFIG_HOME=$2/config && mkdir -p "$XDG_CONFIG_HOME" && log=$2/game.log
    LANGUAGE=${HUEMIX_LANGUAGE:-en} QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >"$log" 2>&1 &
    PID=$!
}
# TITLE [TIMEOUT_S [EXCEPT_ID]]: a visible window of TITLE (search ignores case) but EXCEPT_ID
wait_for_window() {
    for ((i = 0; i <= ${2:-10} * 10; i++)); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [[ $id != "${3:-}" && $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]] &&
                echo "$id" && return
        done && sleep 0.1
    done && echo "no window '$1' after ${2:-10} s" >&2 && false
}
geometry() { # geometry ID: "X Y W H" of the window on screen, its frame aside
    xwininfo -id "$1" |
        awk '/Absolute upper-left|Width:|Height:/ { printf "%s ", $NF } END { print "" }'
}
window_size() { xdotool getwindowgeometry "$1" | awk '/Geometry/ { print $2 }'; } # WxH
focus() { timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || true; }
key() { focus "$1" && xdotool key --clearmodifiers "${@:2}"; }
# no --sync: it hangs when the pointer is there
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# press ID CONTROL: click the middle of the control, found by its accessible role and name (a
# glob), on screen wherever window ID is
declare -A CONTROLS=([Run]="link:Run" [Name]="text:Your name" [Start]="push button:Start"
    [Quit]="push button:Quit" [NewGame]="push button:New Game" [HELP]="push button:HELP"
    [Beginner]="radio button:Beginner" [Scores]="table:" [Expert]="radio button:Expert"
    [BACK]="push button:BACK" [Close]="push button:Close")
press() {
    local x y w h
    read -r x y w h < <(find_control "${CONTROLS[$2]}") ||
        fail "the game shows no ${CONTROLS[$2]/:/ named }"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
atspi() { # BUS PATH METHOD ARGS: no punctuation
    gdbus call --address "$a11y" -d "$1" -o "$2" -m "$3" "${@:4}" 2>/dev/null | tr -d "(),<>'"
}
# find_control ROLE:NAME [METHOD ARGS...]: "X Y W H" on screen of the game's control, or its
# answer to METHOD; none if none; with EVERY set, a line for each such control
find_control() {
    local a11y app i node role name queue=(/org/a11y/atspi/accessible/root)
    local api=org.a11y.atspi.Accessible call=("${@:2}")
    ((${#call[@]})) || call=(org.a11y.atspi.Component.GetExtents 0)
    a11y=$(gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress |
        cut -d"'" -f2)
    # the game ($PID) registers a moment after its first window shows
    for ((i = 0; i < 50; i++)); do
        for app in $(atspi org.a11y.atspi.Registry "${queue[0]}" $api.GetChildren |
            grep -o ':[0-9.]*'); do
            atspi org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.GetConnectionUnixProcessID "$app" | grep -qw "$PID" && break 2
        done && sleep 0.1
    done && ((i < 50)) || return 0 # not registered within 5 s
    while ((${#queue[@]})); do
        node=${queue[0]} && queue=("${queue[@]:1}")
        role=$(atspi "$app" "$node" $api.GetRoleName)
        name=$(atspi "$app" "$node" org.freedesktop.DBus.Properties.Get $api Name)
        [[ $role == "${1%%:*}" && $name == ${1#*:} ]] &&
            atspi "$app" "$node" "${call[@]}" && [[ -z ${EVERY:-} ]] && return
        mapfile -t -O ${#queue[@]} queue < <(atspi "$app" "$node" $api.GetChildren |
            grep -o '/org/a11y/atspi/accessible/[0-9]*')
    done
}
# state_of ROLE:NAME: the first word of the control's AT-SPI state, whose bits say enabled (8),
# focused (12), showing (25); with EVERY set, a line for each such control
state_of() { find_control "$1" org.a11y.atspi.Accessible.GetState | awk '{ print $2 }'; }
# open_scores GAME WORK [RECORDS]: the game up to its score board, in a fresh WORK of RECORDS if
# given; sets scores, its id, and menu, its menu bar's height
open_scores() {
    if [[ -n ${3+given} ]]; then
        rm -rf "$2" && mkdir -p "$2/config" && printf %s "$3" >"$2/config/Huemix.prefs"
    fi
    launch "$1" "$2" && scores=$(wait_for_window Scores 60) || fail "no score board within 60 s"
    within 5 menu_height || fail "no white row in the top of the score board"
}
menu_height() { # the first white row right of the score board's list, once it is drawn
    menu=$(convert "x:$scores" -crop 1x80+345+0 +repage -depth 8 txt:- |
        awk -F'[,:]' '/#FFFFFF/ { print $2; exit }') && [[ -n $menu ]]
}
open_about() { # the id of About, opened from the score board's File menu: its last item
    click "$scores" 20 $((menu / 2)) && sleep 0.5 && xdotool key Up Return &&
        wait_for_window About 10
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
shows() { viewable "$1" && ! viewable "$2"; }
shown() { within 5 shows "$@"; } # shown ID HIDDEN: ID on screen and HIDDEN not, within 5 s
# open_board GAME WORK [RECORDS]: the game up to Kim's board, whose id is then in board
open_board() {
    open_scores "$@" && focus "$scores" && xdotool type Kim && key "$scores" Return &&
        board=$(wait_for_window Huemix 10) || fail "no board"
}
ends_with() { # ends_with STATUS WHAT: the game ends within 20 s with STATUS
    local status=0 && timeout 20 tail --pid="$PID" -f /dev/null || fail "$2: the game did not end"
    wait "$PID" || status=$?
    ((status == $1)) || fail "$2: status $status, not $1: $(tail -3 "$log")"
}
exits_cleanly() { ends_with 0 "the game"; }

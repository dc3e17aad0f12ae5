# shellcheck shell=bash
# Helpers for real-window tests: a private X server and a few xdotool moves.
# Source it from a bash test script that runs under `set -euo pipefail`:
#
#   source "$(dirname "$0")/lib.sh"
#   start_xvfb
#   "$game" & pid=$!
#   at_exit "kill $pid 2>/dev/null || true"
#   win=$(wait_for_window "Huemix" 10)
#   key "$win" Left Left space
#   status=$(wait_for_exit "$pid" 10)
#
# There is no window manager: windows are never activated, so keys go to the
# window through input focus set directly, and nothing waits for activation.
# Every function reports its failure on stderr and returns non-zero.

# --- cleanup ---------------------------------------------------------------

# Commands to run when the script exits, newest first. One EXIT trap runs them
# all, so a test adding its own cleanup does not replace the X server's.
_xvfb_lib_exit_cmds=()

_xvfb_lib_on_exit() {
    local i
    for ((i = ${#_xvfb_lib_exit_cmds[@]} - 1; i >= 0; i--)); do
        eval "${_xvfb_lib_exit_cmds[i]}" || true
    done
}

# at_exit COMMAND: run COMMAND (a shell string) when the script exits.
at_exit() {
    _xvfb_lib_exit_cmds+=("$1")
}

trap _xvfb_lib_on_exit EXIT
# A killed test (ctest's timeout, ^C) still cleans up: exit runs the EXIT trap.
trap 'exit 130' INT
trap 'exit 143' TERM

_xvfb_lib_fail() {
    echo "xvfb/lib.sh: $*" >&2
    return 1
}

# --- X server --------------------------------------------------------------

XVFB_PID=

# _xvfb_lib_await N: 0 once our server on :N answers, 1 if the display went to
# another server (a parallel test won the race for it), 2 after 5 s of silence.
_xvfb_lib_await() {
    local n=$1 i lockpid
    for ((i = 0; i < 50; i++)); do
        kill -0 "$XVFB_PID" 2>/dev/null || return 1
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            # Answering is not enough: a server another test started on the
            # same number a moment earlier answers too. The lock holds the pid.
            lockpid=$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null || true)
            [[ $lockpid == "$XVFB_PID" ]] && return 0
            return 1
        fi
        sleep 0.1
    done
    return 2
}

# start_xvfb: start Xvfb on a free display, wait until it answers, export
# DISPLAY and make Qt use it. The server is killed when the script exits.
start_xvfb() {
    local n log rc
    command -v Xvfb >/dev/null || { _xvfb_lib_fail "Xvfb not installed"; return 1; }
    command -v xdpyinfo >/dev/null || { _xvfb_lib_fail "xdpyinfo not installed"; return 1; }
    log=$(mktemp)
    at_exit "rm -f '$log'"

    for ((n = 100; n < 400; n++)); do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue

        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
        XVFB_PID=$!
        at_exit "kill $XVFB_PID 2>/dev/null && wait $XVFB_PID 2>/dev/null || true"

        rc=0
        _xvfb_lib_await "$n" || rc=$?
        if ((rc == 0)); then
            export DISPLAY=":$n"
            # Real windows: ctest runs everything else on the offscreen platform.
            export QT_QPA_PLATFORM=xcb
            unset WAYLAND_DISPLAY
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
        if ((rc == 2)); then
            cat "$log" >&2
            _xvfb_lib_fail "Xvfb :$n did not answer within 5 s"
            return 1
        fi
    done
    _xvfb_lib_fail "no free X display between :100 and :399"
}

# --- windows ---------------------------------------------------------------

# wait_for_window NAME [TIMEOUT_S]: echo the id of the first visible window
# titled exactly NAME, waiting up to TIMEOUT_S seconds (default 10).
wait_for_window() {
    local name=$1 timeout=${2:-10} pattern id deadline
    # xdotool matches a case-insensitive regular expression: escape the name,
    # then keep only windows whose title is exactly NAME.
    pattern=$(printf '%s' "$name" | sed 's/[][\.*^$+?(){}|]/\\&/g')
    deadline=$((SECONDS + timeout))
    while :; do
        while read -r id; do
            [[ -n $id ]] || continue
            if [[ $(xdotool getwindowname "$id" 2>/dev/null || true) == "$name" ]]; then
                echo "$id"
                return 0
            fi
        done < <(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null || true)
        ((SECONDS < deadline)) || break
        sleep 0.1
    done
    _xvfb_lib_fail "no visible window named '$name' after ${timeout} s"
}

# window_size ID: echo the window's size as WIDTHxHEIGHT.
window_size() {
    local line w='' h=''
    while IFS= read -r line; do
        case $line in
            WIDTH=*) w=${line#WIDTH=} ;;
            HEIGHT=*) h=${line#HEIGHT=} ;;
        esac
    done < <(xdotool getwindowgeometry --shell "$1" 2>/dev/null || true)
    [[ -n $w && -n $h ]] || { _xvfb_lib_fail "no geometry for window $1"; return 1; }
    echo "${w}x${h}"
}

# screenshot ID FILE: save the window's pixels to FILE (format from its suffix).
screenshot() {
    import -window "$1" "$2" || { _xvfb_lib_fail "could not capture window $1 to $2"; return 1; }
}

# key ID KEYS...: type X key names (Left, space, ctrl+q ...) into the window.
key() {
    local id=$1
    shift
    # --sync waits for the focus change; the timeout keeps a window that never
    # takes focus from hanging the test, and then the keys are sent to it directly.
    if timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null; then
        xdotool key --clearmodifiers "$@" || { _xvfb_lib_fail "could not type '$*'"; return 1; }
    else
        xdotool key --window "$id" "$@" || { _xvfb_lib_fail "could not type '$*' into window $id"; return 1; }
    fi
}

# click ID X Y: left click at (X, Y) relative to the window's top left.
click() {
    # No --sync: xdotool waits forever when the pointer is already at the spot.
    xdotool mousemove --window "$1" "$2" "$3" click 1 ||
        { _xvfb_lib_fail "could not click window $1 at $2,$3"; return 1; }
}

# --- processes -------------------------------------------------------------

# wait_for_exit PID TIMEOUT_S: wait for a child of this script to end and echo
# its exit status. Fails, leaving the process running, after TIMEOUT_S seconds.
wait_for_exit() {
    local pid=$1 timeout=$2 deadline status=0
    deadline=$((SECONDS + timeout))
    while kill -0 "$pid" 2>/dev/null; do
        if ((SECONDS >= deadline)); then
            _xvfb_lib_fail "process $pid still running after ${timeout} s"
            return 1
        fi
        sleep 0.1
    done
    wait "$pid" || status=$?
    echo "$status"
}

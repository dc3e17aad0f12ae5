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
#   wait_for_exit "$pid" 10 && echo "status $EXIT_STATUS"
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

        # -noreset: by default the server resets when its last client leaves,
        # and a program started during the reset cannot connect.
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
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

# wait_for_window NAME [TIMEOUT_S [EXCEPT_ID]]: echo the id of the first
# visible window titled exactly NAME, waiting up to TIMEOUT_S seconds (default
# 10). EXCEPT_ID is skipped: a message box may share its window's title.
wait_for_window() {
    local name=$1 timeout=${2:-10} except=${3:-} pattern id deadline
    # xdotool matches a case-insensitive regular expression: escape the name,
    # then keep only windows whose title is exactly NAME.
    pattern=$(printf '%s' "$name" | sed 's/[][\.*^$+?(){}|]/\\&/g')
    deadline=$((SECONDS + timeout))
    while :; do
        while read -r id; do
            [[ -n $id && $id != "$except" ]] || continue
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

# window_visible ID: true while the window exists and is mapped.
window_visible() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# hold_key ID KEY SECONDS: press KEY in the window, hold it, release it. The
# game reads the arrows' state once a frame, so a press shorter than a frame
# (xdotool key holds for a few ms) may never be seen.
hold_key() {
    local id=$1 name=$2 seconds=$3
    timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool keydown "$name" || { _xvfb_lib_fail "could not press $name"; return 1; }
    sleep "$seconds"
    xdotool keyup "$name" || { _xvfb_lib_fail "could not release $name"; return 1; }
}

# selected_text_at ID X Y: triple-click the text at (X, Y) in the window, which
# selects a selectable label's whole line, and echo the X primary selection.
selected_text_at() {
    command -v xclip >/dev/null || { _xvfb_lib_fail "xclip not installed"; return 1; }
    xdotool mousemove --window "$1" "$2" "$3" click --repeat 3 --delay 60 1 ||
        { _xvfb_lib_fail "could not click window $1 at $2,$3"; return 1; }
    sleep 0.2
    timeout 5 xclip -o -selection primary -t UTF8_STRING 2>/dev/null ||
        { _xvfb_lib_fail "nothing selected in window $1 at $2,$3"; return 1; }
}

# --- pictures --------------------------------------------------------------

# pixel FILE X Y: echo the colour of one pixel as R,G,B (0..255).
pixel() {
    convert "$1" -alpha off -crop "1x1+$2+$3" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[()]' 'NR == 2 { print $2 }' | grep . ||
        { _xvfb_lib_fail "no pixel $2,$3 in $1"; return 1; }
}

# first_row_of FILE X COLOUR [FROM [TO]]: echo the first y from FROM (0) to TO
# (79) whose pixel at column X has the colour R,G,B.
first_row_of() {
    local file=$1 x=$2 colour=$3 from=${4:-0} to=${5:-79}
    convert "$file" -alpha off -crop "1x$((to - from + 1))+$x+$from" +repage -depth 8 txt:- \
        2>/dev/null | awk -F'[ ,:()]+' -v want="$colour" -v from="$from" \
        'NR > 1 && $3 "," $4 "," $5 == want { print $2 + from; found = 1; exit }
         END { exit !found }' ||
        { _xvfb_lib_fail "no $colour pixel at x $x, y $from..$to of $file"; return 1; }
}

# content_top ID FILE X: the height of the window's menu bar, that is the first
# white row at column X of a window whose content is white there. Retries for
# 5 s while the window is not yet painted; FILE keeps the last screenshot.
content_top() {
    local id=$1 file=$2 x=$3 i
    for ((i = 0; i < 50; i++)); do
        if screenshot "$id" "$file" 2>/dev/null && first_row_of "$file" "$x" 255,255,255 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    _xvfb_lib_fail "no white row at x $x in the top of window $id"
}

# nonwhite_runs FILE Y0 HEIGHT X...: for each column X, the runs of pixels that
# are not white from Y0 down HEIGHT rows, one line each: "X TOP BOTTOM R,G,B",
# TOP and BOTTOM counted from Y0, the colour that of the run's middle pixel.
nonwhite_runs() {
    local file=$1 y0=$2 height=$3 x
    shift 3
    local crops=()
    for x in "$@"; do
        crops+=('(' -clone 0 -crop "1x$height+$x+$y0" +repage ')')
    done
    convert "$file" -alpha off "${crops[@]}" -delete 0 +append -depth 8 txt:- 2>/dev/null |
        awk -F'[ ,:()]+' -v xs="$*" '
            BEGIN { n = split(xs, column, " ") }
            NR > 1 { colour[$1, $2] = $3 "," $4 "," $5; if ($2 + 1 > rows) rows = $2 + 1 }
            END {
                for (c = 0; c < n; c++) {
                    top = -1
                    for (y = 0; y <= rows; y++) {
                        other = y < rows && colour[c, y] != "255,255,255"
                        if (other && top < 0) top = y
                        if (!other && top >= 0) {
                            print column[c + 1], top, y - 1, colour[c, int((top + y - 1) / 2)]
                            top = -1
                        }
                    }
                }
            }' ||
        { _xvfb_lib_fail "could not read columns of $file"; return 1; }
}

# --- the game --------------------------------------------------------------

# click_control ID MENU LEFT TOP WIDTH HEIGHT: left click the centre of the
# control described at LEFT, TOP, WIDTH x HEIGHT in the window's content, which
# lies below a menu bar MENU px high (0: none).
click_control() {
    click "$1" $(($3 + $5 / 2)) $(($2 + $4 + $6 / 2))
}

# open_board PID [TIMEOUT_S]: echo the id of the game's board window (titled
# "Huemix", 500 x 573 below its menu bar) once it is on screen. When the game
# opens with its score board (350 wide) instead, its "Run" link is clicked.
open_board() {
    local pid=$1 timeout=${2:-20} deadline id size seen shot top next_click=0
    deadline=$((SECONDS + timeout))
    shot=$(mktemp --suffix=.png)
    while ((SECONDS < deadline)); do
        if ! kill -0 "$pid" 2>/dev/null; then
            rm -f "$shot"
            _xvfb_lib_fail "process $pid ended before its board showed"
            return 1
        fi
        seen=()
        while read -r id; do
            [[ -n $id ]] || continue
            size=$(window_size "$id" 2>/dev/null || true)
            if [[ $(xdotool getwindowname "$id" 2>/dev/null || true) == Huemix &&
                $size == 500x* ]] && ((${size#*x} >= 573)); then
                rm -f "$shot"
                echo "$id"
                return 0
            fi
            seen+=("$id")
        done < <(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
        for id in "${seen[@]}"; do
            [[ $(window_size "$id" 2>/dev/null || true) == 350x* ]] || continue
            ((SECONDS >= next_click)) || continue
            sleep 0.3
            top=$(content_top "$id" "$shot" 345 2>/dev/null) || top=0
            echo "open_board: clicking Run on window $id (menu bar $top px)" >&2
            click_control "$id" "$top" 174 235 100 20 || true # "Run"
            next_click=$((SECONDS + 3))
        done
        sleep 0.1
    done
    rm -f "$shot"
    _xvfb_lib_fail "no board of process $pid after ${timeout} s"
}

# --- processes -------------------------------------------------------------

# wait_for_exit PID TIMEOUT_S: wait for a child of this script to end and set
# EXIT_STATUS to its exit status. Fails, leaving the process running, after
# TIMEOUT_S seconds. Call it in the script's own shell, never in $(...): a
# subshell cannot wait for its parent's children, and bash then reports -1 for
# a child that was still running when the subshell started.
EXIT_STATUS=
wait_for_exit() {
    local pid=$1 timeout=$2 deadline
    deadline=$((SECONDS + timeout))
    while kill -0 "$pid" 2>/dev/null; do
        if ((SECONDS >= deadline)); then
            _xvfb_lib_fail "process $pid still running after ${timeout} s"
            return 1
        fi
        sleep 0.1
    done
    EXIT_STATUS=0
    wait "$pid" || EXIT_STATUS=$?
}

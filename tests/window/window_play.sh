#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game under a window manager, from the keyboard: windows centred; Tab on the score
# board goes name, Run, scores; About opens on Close; Escape leaves About and HELP; no
# fullscreen. Double taps 40 and 70 ms apart step the tile two columns, a 1.5 s hold one, in
# Beginner and Expert. SIGTERM, then a lost display end a game, the scores as they were.
#   window_play.sh GAME   HUEMIX_WINDOW_TAPS: presses of each kind in each difficulty (8)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"
game=$1 taps=${HUEMIX_WINDOW_TAPS:-8} old=$'Ann,12\nBob,7\n' && make_work
prefs=$work/config/Huemix.prefs

# openbox, once it manages a probe: it says it runs before it does, and a window mapped in
# between stays unmapped
start_wm() {
    openbox "$@" >/dev/null 2>&1 &
    for ((i = 0; i < 20; i++)); do
        xmessage -name wmprobe probe 2>/dev/null &
        probe=$! managed=0
        timeout 1 sh -c 'until xprop -root _NET_CLIENT_LIST | grep -q 0x; do sleep 0.1; done' \
            2>/dev/null && managed=1
        { kill "$probe" && wait "$probe"; } 2>/dev/null || true
        ((managed)) && return
    done
    fail "no window manager"
}
# centred ID: the frame within 3 px of the middle of the screen, or half its title when its
# frame was unknown, within 3 s: a busy window manager may place it first
centred() {
    within 3 is_centred "$1" ||
        fail "window $1 at $x,$y ${w}x$h in a $l $r $t $b frame is not centred"
}
is_centred() { # is_centred ID; sets x y w h, and l r t b, its frame, for centred's message
    local dx dy
    read -r x y w h < <(geometry "$1")
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -d , |
        awk '{ print $3, $4, $5, $6 }')
    dx=$((2 * (x - l) + w + l + r - 1280)) dy=$((2 * (y - t) + h + t + b - 1024))
    ((dx * dx <= 36 && dy * dy <= t * t + 36))
}
has_focus() { # has_focus CONTROL: the control is focused
    local state && state=$(state_of "${CONTROLS[$1]}") && ((${state:-0} >> 12 & 1))
}
focused() { within 2 has_focus "$1" || fail "${CONTROLS[$1]} has no focus"; }
# "COLUMN TOP COLOUR" of each lone tile in the field, the highest first: 5 px into each column,
# beside the marks
tiles() {
    convert "x:$board" -alpha off -crop "288x480+11+$menu" +repage -crop 32x480 +repage \
        -crop 1x480+0+0 +repage +append -depth 8 txt:- 2>/dev/null |
        awk -F'[ ,:()]+' -f "$here/tiles.awk" | sort -k2n
}
new_game() { # new_game [KEY]: the game afresh up to Kim's board, KEY there, Return
    { kill "$PID" && wait "$PID"; } 2>/dev/null || true
    open_board "$game" "$work" && sleep 0.3 && key "$board" ${1:+"$1"} Return &&
        tiles >"$work/before.txt"
}
# The tile the last picture showed a few frames lower, none that rested there before: its
# "COLUMN TOP", or "9 -1"
moved() { # moved COLUMN TOP COLOUR LOW REACH
    tiles | tee "$work/after.txt" | awk -v c="$1" -v t="$2" -v colour="$3" -v low="$4" \
        -v reach="$5" 'NR == FNR { rest[$0]; next }
        !($0 in rest) && $3 == colour && $2 > t + low && $2 <= t + reach &&
            $1 >= c - 2 && $1 <= c + 2 { print $1, $2; exit }' "$work/before.txt" -
    echo "9 -1"
}
measure() { # measure MODE FRAME_MS [KEY]: double taps and holds, each kind in a new game after KEY
    local kind want n c t colour c2 t2 dir step low reach limit since=$SECONDS
    for kind in 40 70 hold; do
        want=2 low=0 reach=192 limit=288 n=0 && new_game "${3:-}"
        # a hold's picture comes a second in, past X's repeat delay
        if [[ $kind == hold ]]; then
            want=1 low=$((16 * 800 / $2)) reach=$((16 * 1900 / $2))
            limit=$(((448 - reach) / 32 * 32))
        fi
        while ((n < taps)); do
            ((SECONDS < since + 40)) || fail "$1: no tile to steer for 40 s"
            read -r c t colour < <(cat "$work/before.txt" && echo "9 999")
            if ((t > limit)); then # too low: wait for the next
                sleep 0.05 && tiles >"$work/before.txt" && continue
            fi
            dir=Right step=1
            ((c > 8 - want || (c >= want && RANDOM % 2))) && dir=Left step=-1
            xdotool sleep "0.$(printf %03d $((RANDOM % $2)))"
            if [[ $kind == hold ]]; then # its picture with the key still down
                xdotool keydown $dir sleep 1
            else
                xdotool keydown $dir sleep 0.015 keyup $dir sleep "0.0$((kind - 15))" \
                    keydown $dir sleep 0.015 keyup $dir sleep 0.3
            fi
            read -r c2 t2 < <(moved "$c" "$t" "$colour" "$low" "$reach")
            # after a hold, a fresh picture: the held tile may have landed
            mv "$work/after.txt" "$work/before.txt"
            if [[ $kind == hold ]]; then
                xdotool sleep 0.5 keyup $dir sleep 0.3 && tiles >"$work/before.txt"
            fi
            ((t2 > t)) || continue # none if it landed meanwhile
            n=$((n + 1)) since=$SECONDS
            (((c2 - c) * step == want)) ||
                fail "$1, $kind: the $dir key moved the tile from column $c to $c2, not $want"
        done
        echo "$1 $kind: $n presses each moved the tile $want column(s)"
    done
}
# ended_by HOW STATUS [LINES]: HOW ends the game with STATUS, printing only lines that match
# LINES (grep -E, whole lines)
ended_by() {
    eval "$1" && ends_with "$2" "$1"
    [[ -z $(grep -vxE -- "${3:-}" "$log") ]] || fail "$1: the game printed: $(cat "$log")"
    [[ $(cat "$prefs" && echo .) == "$old." ]] || fail "$1: the scores became $(cat "$prefs")"
}
# Exactly what Qt and Xlib print when the display goes away, on any display; Xlib ends its lines
# with a carriage return.
cr=$'\r'
lost_display="(qt\.qpa\.xcb: )?The X11 connection broke(: I/O error \(code 1\)|"
lost_display+=" \(error 1\)\. Did the X11 server die\?)"
display=":[0-9]+(\.[0-9]+)?"
lost_display+="|XIO: +fatal IO error [0-9]+ \([^)]*\) on X server \"$display\"$cr?"
lost_display+="| +after [0-9]+ requests \([0-9]+ known processed\)"
lost_display+=" with [0-9]+ events remaining\.$cr?"
lost_display+="|X connection to $display broken \(explicit kill or server shutdown\)\.$cr?"

start_xvfb
cat >"$work/rc.xml" <<'EOF'
<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard>
<keybind key="W-F11"><action name="ToggleFullscreen"/></keybind>
<keybind key="W-F10"><action name="ToggleMaximize"/></keybind>
</keyboard></openbox_config>
EOF
start_wm --sm-disable --config-file "$work/rc.xml"
open_scores "$game" "$work" "$old" && centred "$scores" && focused Name
key "$scores" K i m Tab && focused Run && key "$scores" Tab && focused Scores
about=$(open_about) && centred "$about" && focused Close && key "$about" Escape &&
    board=$(wait_for_window Huemix 10) && shown "$board" "$about" || fail "Escape left About open"
centred "$board" && key "$board" super+F11 && key "$board" super+F10 && sleep 0.5 &&
    centred "$board" && [[ $(window_size "$board") == 500x$((573 + menu)) ]] ||
    fail "the board took the whole screen"
find_control "${CONTROLS[Run]}" org.a11y.atspi.Action.DoAction 0 >/dev/null &&
    shown "$board" "$scores" || fail "the bridge could not press Run"
key "$board" h && help=$(wait_for_window HELP 10) && centred "$help" && key "$help" Escape &&
    shown "$board" "$help" || fail "Escape left HELP open"
measure Beginner 125 && measure Expert 80 e
ended_by 'kill -TERM $PID' 0
new_game e && sleep 1
ended_by 'kill $XVFB_PID' 1 "$lost_display"
echo "ok: windows centred and reached by keys; the tile steps once a press; the game ends cleanly"

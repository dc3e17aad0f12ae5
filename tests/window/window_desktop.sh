#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real game under a window manager, from the keyboard and as a screen
# reader knows it: every window opens centred, About before Run too; the board
# refuses fullscreen and maximise; on the score board Tab goes name, Run,
# scores, and a heading click leaves typing in the name; About opens on Close,
# Tab reaches the mail link, which names the address with no mail program set;
# Escape leaves About and HELP; the bridge presses the link Run.
#   window_desktop.sh GAME WORKDIR
set -euo pipefail
game=$1 work=$2
source "$(dirname "$0")/../../headless/xvfb.sh"

centred() { # centred ID: the frame within 3 px of the middle of the screen, or half its title when its frame was unknown
    local x y w h l r t b dx dy
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left|Width:|Height:/ { printf "%s ", $NF } END { print "" }')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -d , | awk '{ print $3, $4, $5, $6 }')
    dx=$((2 * (x - l) + w + l + r - 1280)) dy=$((2 * (y - t) + h + t + b - 1024))
    ((dx * dx <= 36 && dy * dy <= t * t + 36)) || fail "window $1 at $x,$y ${w}x$h in a $l $r $t $b frame is not centred"
}

rm -rf "$work" && mkdir -p "$work/config" && start_xvfb
keys='<keybind key="W-F11"><action name="ToggleFullscreen"/></keybind><keybind key="W-F10"><action name="ToggleMaximize"/></keybind>'
echo "<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><keyboard>$keys</keyboard></openbox_config>" >"$work/rc.xml"
start_wm --config-file "$work/rc.xml"
open_scores "$game" "$work" && centred "$scores" && focused Name
key "$scores" K i m Tab && focused Run && key "$scores" Tab && focused Scores
press "$scores" Name && press "$scores" Score && key "$scores" x
[[ $(find_control "${CONTROLS[Name]}" org.a11y.atspi.Text.GetText 0 99) == Kimx ]] || fail "typing after a heading click was lost"
about=$(open_about) && centred "$about" && focused Close && key "$about" Tab && focused Mail && key "$about" Return
box=$(wait_for_window Huemix 10) && [[ -n $(find_control "label:*huemix@example.org*") ]] || fail "no mail address told"
key "$box" Return && key "$about" Escape && board=$(wait_for_window Huemix 10) && shown "$board" "$about" || fail "Escape left About open"
centred "$board" && key "$board" super+F11 && key "$board" super+F10 && sleep 0.5 && centred "$board"
[[ $(window_size "$board") == 500x$((573 + menu)) ]] || fail "the board took the whole screen"
find_control "${CONTROLS[Run]}" org.a11y.atspi.Action.DoAction 0 >/dev/null && shown "$board" "$scores" || fail "the bridge could not press Run"
key "$board" h && help=$(wait_for_window HELP 10) && centred "$help" && key "$help" Escape && shown "$board" "$help" ||
    fail "Escape left HELP open"
centred "$board" && key "$board" q && exits_cleanly
echo "ok: every window centred and the board its size; keys and the bridge reach every control"

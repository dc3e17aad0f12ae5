#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Ending signals and what a screen reader reaches, in the real game. SIGTERM and SIGHUP end
# it while a large score file loads; SIGINT ends it at once with nothing unsaved, and asks
# with unsaved Expert scores. On the board the bridge finds no hidden button or field, and
# File and Edit where the board is, showing with it.
#   window_signals.sh GAME   HUEMIX_SIGNAL_RECORDS: the large file's records (2000000)
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"
game=$1 records=${HUEMIX_SIGNAL_RECORDS:-2000000} old=$'Ann,12\nBob,7\n' && make_work
prefs=$work/config/Huemix.prefs

# each_control ROLE:NAME: "STATE X Y W H" of every such control of the game, one a line
each_control() {
    paste -d ' ' <(EVERY=1 state_of "$1") <(EVERY=1 find_control "$1")
}
on_board() { # on_board ROLE:NAME: one such control shows, and within the board's window
    local x y w h
    read -r x y w h < <(geometry "$board")
    each_control "$1" | awk -v x="$x" -v y="$y" -v w="$w" -v h="$h" '
        int($1 / 33554432) % 2 {
            shown++
            if ($2 < x || $3 < y || $2 + $4 > x + w || $3 + $5 > y + h) away++
        }
        END { exit !(shown == 1 && !away) }' ||
        fail "$1 is not on the board: $(each_control "$1" | tr '\n' ';')"
}
to_board() { # Kim's board, after KEY there and Return, a second into the game
    open_board "$game" "$work" "$old" && sleep 0.3 && key "$board" "$@" Return && sleep 1 ||
        fail "no game"
}

mkdir -p "$work/config" && start_xvfb
# As a terminal starts it: a background job of this script would ignore SIGINT, and so would
# the game.
printf '#!/bin/sh\nexec env --default-signal=INT %q\n' "$game" >"$XDG_RUNTIME_DIR/game"
chmod +x "$XDG_RUNTIME_DIR/game" && game=$XDG_RUNTIME_DIR/game
awk -v n="$records" 'BEGIN { for (i = 0; i < n; i++) printf "P%d,%d\n", i, i }' \
    >"$work/large.prefs"
for signal in TERM HUP; do # 0.1 s after the first window (the progress dialog) maps
    cp "$work/large.prefs" "$prefs" && launch "$game" "$work"
    within 10 xdotool search --onlyvisible --pid "$PID" >/dev/null 2>&1 || fail "no window"
    sleep 0.1 && kill -$signal "$PID" && ends_with 0 "SIG$signal while loading"
    cmp -s "$work/large.prefs" "$prefs" || fail "SIG$signal while loading changed the scores"
done
echo "SIGTERM and SIGHUP end the game while $records records load"

to_board
kill -INT "$PID" && ends_with 0 "SIGINT with nothing unsaved"
to_board e # an Expert game under a name: unsaved
kill -INT "$PID" && sleep 1 && kill -0 "$PID" 2>/dev/null ||
    fail "SIGINT ended the game without asking"
[[ -n $(find_control "push button:*Don*Save*" org.a11y.atspi.Action.DoAction 0) ]] ||
    fail "SIGINT asked nothing"
ends_with 0 "Don't Save after SIGINT"
[[ $(cat "$prefs" && echo .) == "$old." ]] || fail "Don't Save wrote the scores"
echo "SIGINT ends the game at once with nothing unsaved, and asks with unsaved Expert scores"

to_board
[[ -z $(find_control "push button:Push") ]] || fail "the bridge finds the hidden release button"
[[ -z $(find_control "text:") ]] || fail "the bridge finds the board's hidden field"
on_board "menu item:File" && on_board "menu item:Edit"
kill "$PID" && ends_with 0 "SIGTERM"
echo "ok: ending signals at any moment; for a screen reader, no hidden control and the board's"
echo "own menus"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up time and memory of the real game against a bare Qt window, under
# Xvfb, in one run: each program is started RUNS times (alternating, so a
# change in the machine's load touches both alike) and timed from launch to
# the X server's map event of its first window, seen by a client watching the
# root window; then its resident memory (VmRSS) is read, and read again a
# second later, once the first paint is done.
#
#   bench/startup.sh [BUILD_DIR [RUNS]]     (default build/ and 10)
#
# Prints the medians, the ratios and the goals: start-up within 1.3x the bare
# window, memory within 1.3x. The game opens its score board with no score
# file (an empty preferences folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-10}
game=$build/bin/huemix
bare=$build/bin/huemix_bare_window
for program in "$game" "$bare"; do
    [[ -x $program ]] || { echo "startup: $program is not built" >&2; exit 1; }
done
source "$root/tests/window/xvfb.sh"

work=$(mktemp -d -t huemix-startup.XXXXXX)
at_exit "rm -rf '$work'"
mkdir -p "$work/config"
export XDG_CONFIG_HOME=$work/config

# Started here, not through launch: timed as a player runs them, the
# accessibility bridge off.
start_xvfb

now_us() { echo "${EPOCHREALTIME/./}"; }

# A pause without starting a process: read from a pipe nobody writes to.
exec {never}<> <(:)
pause() { read -rt "$1" -u "$never" || true; }

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Every window mapped on the display, as the X server reports it: no polling,
# so no look costs either program time or misses the moment.
coproc MAPS { exec stdbuf -oL xev -root -event substructure 2>/dev/null; }
drain_maps() { local line && while read -rt 0.05 -u "${MAPS[0]}" line; do :; done; }

# measure PROGRAM: "MS RSS_SHOWN_KB RSS_SETTLED_KB" of one start.
measure() {
    local program=$1 t0 t1 pid shown settled line
    drain_maps
    t0=$(now_us)
    "$program" >>"$work/output.log" 2>&1 {never}<&- &
    pid=$!
    while read -rt 30 -u "${MAPS[0]}" line && [[ $line != MapNotify* ]]; do :; done
    t1=$(now_us)
    [[ $line == MapNotify* ]] && kill -0 "$pid" 2>/dev/null || {
        echo "startup: no window of $program within 30 s:" >&2 && cat "$work/output.log" >&2 && exit 1
    }
    shown=$(rss_kb "$pid")
    pause 1
    settled=$(rss_kb "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$(((t1 - t0) / 1000)).$((((t1 - t0) / 100) % 10)) $shown $settled"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Once each, untimed: the first start reads the libraries from disk.
measure "$game" >/dev/null
measure "$bare" >/dev/null

: >"$work/game" && : >"$work/bare"
for ((i = 0; i < runs; i++)); do
    measure "$game" >>"$work/game"
    measure "$bare" >>"$work/bare"
done

column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }
g_ms=$(column_median "$work/game" 1) b_ms=$(column_median "$work/bare" 1)
g_rss=$(column_median "$work/game" 2) b_rss=$(column_median "$work/bare" 2)
g_set=$(column_median "$work/game" 3) b_set=$(column_median "$work/bare" 3)

echo "start-up to the map event of the first window, median of $runs (ms; all runs: game $(awk '{ printf "%s ", $1 }' "$work/game")| bare $(awk '{ printf "%s ", $1 }' "$work/bare"))"
awk -v g="$g_ms" -v b="$b_ms" -v gr="$g_rss" -v br="$b_rss" -v gs="$g_set" -v bs="$b_set" 'BEGIN {
    printf "  huemix            %7.1f ms   VmRSS %6.1f MB shown, %6.1f MB a second later\n", g, gr / 1024, gs / 1024
    printf "  bare Qt window    %7.1f ms   VmRSS %6.1f MB shown, %6.1f MB a second later\n", b, br / 1024, bs / 1024
    printf "  ratio             %7.2f x    memory %.2f x shown, %.2f x a second later\n", g / b, gr / br, gs / bs
    printf "  goals: start-up <= 1.3 x %s, memory <= 1.3 x %s\n",
        (g / b <= 1.3 ? "met" : "MISSED"), (gs / bs <= 1.3 && gr / br <= 1.3 ? "met" : "MISSED")
}'
echo "  load: $(uptime | sed 's/.*load average/load average/')"

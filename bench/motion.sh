#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The falling tile moves smoothly: in Beginner and in Expert, what the X server shows of the
# field is sampled every 10 ms while the first tile falls; it fails below 40 distinct drawn
# positions a second, on a jump of more than 8 px between two samples taken on time, or when
# fewer than half the samples were on time, too few to judge the jumps by. Prints
# the game's CPU, idle on the board before Start (and its wakeups) and in play, from
# /proc/PID/stat, without judging them: on a loaded machine they are not steady enough to fail on.
#   bench/motion.sh [GAME]   HUEMIX_MOTION_CPU_SECONDS: seconds of each CPU reading (5)
set -euo pipefail
source "$(dirname "$0")/../tests/window/xvfb.sh"
game=${1:-build/bin/huemix} seconds=${HUEMIX_MOTION_CPU_SECONDS:-5}
sampler=$(dirname "$game")/motion_sampler
make_work

# cpu: the game's user and system clock ticks and voluntary context switches so far
cpu() {
    local ticks switches
    ticks=$(awk '{ print $14 + $15 }' "/proc/$PID/stat")
    switches=$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$PID/status")
    echo "$ticks $switches"
}
# cpu_over WHAT: the game's share of a core and its wakeups a second over the next seconds
cpu_over() {
    local t0 w0 t1 w1
    read -r t0 w0 < <(cpu) && sleep "$seconds" && read -r t1 w1 < <(cpu)
    awk -v t=$((t1 - t0)) -v w=$((w1 - w0)) -v s="$seconds" -v hz="$(getconf CLK_TCK)" \
        -v what="$1" 'BEGIN {
            printf "%s: CPU %.2f %% of a core, %.1f wakeups/s\n", what, 100 * t / hz / s, w / s
        }'
}

start_xvfb
failed=0
for mode in Beginner Expert; do
    [[ -z ${PID:-} ]] || { kill "$PID" && wait "$PID"; } 2>/dev/null || true
    open_board "$game" "$work"
    [[ $mode == Expert ]] && key "$board" e
    sleep 1 && [[ $mode == Beginner ]] && cpu_over "idle board before Start"
    read -r _ height < <(window_size "$board" | tr x ' ')
    "$sampler" "$board" 6 $((height - 573)) 288 480 >"$work/sampler.txt" & sampling=$!
    within 5 grep -q ready "$work/sampler.txt" || fail "the sampler did not start"
    key "$board" Return
    wait "$sampling" || fail "$mode: $(tail -1 "$work/sampler.txt")"
    figures=$(tail -1 "$work/sampler.txt")
    echo "$mode: $figures"
    read -r rate _ _ jump _ _ _ samples _ late _ <<<"$figures"
    awk -v r="$rate" -v j="$jump" 'BEGIN { exit !(r >= 40 && j <= 8) }' ||
        { echo "$mode: below 40 positions/s or a jump over 8 px" && failed=1; }
    ((2 * late <= samples)) ||
        { echo "$mode: too few samples on time to judge" && failed=1; }
    cpu_over "$mode in play"
done
((failed == 0)) || fail "the falling tile did not move smoothly"
echo "ok: the falling tile moves smoothly in Beginner and Expert"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when huemix_bench, scores_bench or the game's motion on a real display
# (bench/motion.sh) misses a goal of bench/README.md. Every goal of
# huemix_bench is a ratio of CPU times taken back to back, so a busy machine
# slows both sides alike and does not fail the check.
#
#   bench/check.sh [build/bin/huemix_bench]
set -euo pipefail
bench=${1:-build/bin/huemix_bench}

# Median CPU time in nanoseconds, and frames/game where the benchmark counts
# them, of each benchmark matching $1, one "name ns frames" line each.
medians() {
    "$bench" --benchmark_filter="$1" --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, '
            NR == 1 { for (i = 1; i <= NF; i++) column[$i] = i; next }
            $1 ~ /_median"$/ {
                name = $1
                gsub(/"|_median|\/min_time:[0-9.]+/, "", name)
                scale = $5 == "ms" ? 1e6 : $5 == "us" ? 1e3 : 1
                frames = ("\"frames/game\"" in column) ? $column["\"frames/game\""] : 0
                print name, $4 * scale, frames
            }'
}

ticks=$(medians '^BM_Tick/')
games=$(medians '^BM_GameLogicFrames')
echo "$ticks"$'\n'"$games"

awk -v ticks="$ticks" -v games="$games" '
    BEGIN {
        split(ticks, lines, "\n")
        for (i in lines) { split(lines[i], f, " "); ns[f[1]] = f[2] }
        split(games, g, " ")
        few = ns["BM_Tick/20"]; many = ns["BM_Tick/2000"]; frame = g[2] / g[3]
        if (few <= 0 || many <= 0 || frame <= 0) { print "bench check: no figures"; exit 1 }
        failed = 0
        printf "BM_Tick/2000 costs %.1f times BM_Tick/20 (goal: at most 20)\n", many / few
        if (many > 20 * few) failed = 1
        printf "a frame of game logic costs %.2f times BM_Tick/20 (goal: at most 4)\n", frame / few
        if (frame > 4 * few) failed = 1
        printf "game logic: %.0f frames/s of CPU time\n", 1e9 / frame
        if (failed) { print "bench check: a goal is missed"; exit 1 }
    }'

# A large score file: no stretch without a step of progress may pass 0.5 s at the largest
# file the game reads (ten million records). Two million are loaded, ordered and saved,
# and each stretch is scaled up by five, as the view's and the ordering's work grows with
# the rows. Processor time, as waiting for a core on a busy machine is no stretch of ours.
scores=$(dirname "$bench")/scores_bench
records=2000000
still=$("$scores" "$records" | grep '^still in processor time:')
echo "$still"
awk -v line="$still" -v records="$records" '
    BEGIN {
        n = split(line, words, / /)
        longest = -1
        for (i = 1; i <= n; i++) {
            if (words[i] ~ /^[0-9.]+$/ && words[i + 1] ~ /^ms/ && words[i] + 0 > longest) {
                longest = words[i] + 0
            }
        }
        if (longest < 0) { print "bench check: no figures from scores_bench"; exit 1 }
        scaled = longest * 10000000 / records
        printf "a large score file: longest stretch without progress %.0f ms at ten million records (goal: at most 500)\n", scaled
        if (scaled > 500) { print "bench check: a goal is missed"; exit 1 }
    }'

# The falling tile drawn smoothly on a real X display: bench/motion.sh fails below 40 drawn
# positions a second or on a jump of more than 8 px.
"$(dirname "$0")/motion.sh" "$(dirname "$bench")/huemix" || {
    echo "bench check: a goal is missed"
    exit 1
}
echo "bench check: every goal met"

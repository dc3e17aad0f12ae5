#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the game's sound effects with sox, from scratch: every sound is
# synthesised here from plain tones, nothing is sampled or taken from
# elsewhere, so they are the game's own work under its MIT licence.
#
#   tools/make-sounds.sh
#
# Writes resources/sounds/<name>.wav: land, mix, white, gray, penalty and
# gameover. Short, soft and mono at 22,050 Hz, so they stay small. sox runs in
# its repeatable mode, without dither, so the files are byte-for-byte the same
# on every run and a re-run shows only the sounds that really changed.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/start.sh make-sounds sox resources/sounds

format=(-r 22050 -c 1 -b 16)

# tone FILE SECONDS WAVE FREQUENCY GAIN_DB: one tone with a quick rise and a
# long soft fall, so nothing clicks.
tone() {
    sox -R -D -n "${format[@]}" "$1" synth "$2" "$3" "$4" fade q 0.004 "$2" "$(awk -v s="$2" 'BEGIN { print s * 0.8 }')" gain "$5"
}

# finish NAME: $tmp/NAME.wav with 0.3 s of silence after it, into the resources.
# An audio stream may be stopped as soon as the last sample is handed over; the
# silence keeps the sound itself from being cut off with what is still queued.
finish() {
    sox -R -D "$tmp/$1.wav" "$out/$1.wav" pad 0 0.3
}

# A tile comes to rest: a short low knock.
tone "$tmp/land.wav" 0.07 sine 330 -14
finish land

# Two colours mix: a soft rising pair.
tone "$tmp/mix1.wav" 0.07 sine 523.25 -13
tone "$tmp/mix2.wav" 0.11 sine 659.25 -13
sox -R -D "$tmp/mix1.wav" "$tmp/mix2.wav" "$tmp/mix.wav"
finish mix

# A white, the score: a bright chord of three bells.
tone "$tmp/w1.wav" 0.35 sine 783.99 -17
tone "$tmp/w2.wav" 0.35 sine 987.77 -17
tone "$tmp/w3.wav" 0.35 sine 1174.66 -17
sox -R -D -m "$tmp/w1.wav" "$tmp/w2.wav" "$tmp/w3.wav" "$tmp/white.wav"
finish white

# A gray, and the line rising: a dull falling step.
tone "$tmp/g1.wav" 0.09 triangle 246.94 -16
tone "$tmp/g2.wav" 0.16 triangle 185 -16
sox -R -D "$tmp/g1.wav" "$tmp/g2.wav" "$tmp/gray.wav"
finish gray

# The time penalty: two quick equal ticks, the pace quickening.
tone "$tmp/p1.wav" 0.05 sine 880 -16
sox -R -D -n "${format[@]}" "$tmp/gap.wav" trim 0 0.04
sox -R -D "$tmp/p1.wav" "$tmp/gap.wav" "$tmp/p1.wav" "$tmp/penalty.wav"
finish penalty

# Game over: three slow falling notes.
tone "$tmp/o1.wav" 0.22 sine 523.25 -14
tone "$tmp/o2.wav" 0.22 sine 415.3 -14
tone "$tmp/o3.wav" 0.5 sine 349.23 -14
sox -R -D "$tmp/o1.wav" "$tmp/o2.wav" "$tmp/o3.wav" "$tmp/gameover.wav"
finish gameover

ls -l "$out"

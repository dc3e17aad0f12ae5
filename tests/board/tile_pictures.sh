#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Players with red-green or blue-yellow colour blindness must still tell every tile from every
# other: under each simulated dichromacy (Machado, Oliveira and Fuentes 2009, severity 1, in
# linear RGB) at least 5 % of the pixels of any two tile pictures, at 1x and 2x, differ by 64
# levels or more in a channel.   tile_pictures.sh PICTURES_FOLDER
set -euo pipefail
here=$(dirname "$0")
declare -A matrices=(
    [protanopia]="0.152286 1.052583 -0.204868 0.114503 0.786281 0.099216
                  -0.003882 -0.048116 1.051998"
    [deuteranopia]="0.367322 0.860646 -0.227968 0.280085 0.672501 0.047413
                    -0.011820 0.042940 0.968881"
    [tritanopia]="1.255528 -0.076749 -0.178779 -0.078411 0.930809 0.147602
                  0.004733 0.691367 0.303900")
tiles=(168 169 170 171 172 173 174 178) # blue, cyan, green, magenta, red, yellow, white, gray
# Figures sorted, the least first: any below LIMIT fails.   least TOO_LOW LIMIT LEAST
least() {
    sort -g | awk -v low="$1" -v limit="$2" -v least="$3" '
        $1 < limit { print low ": " $0; bad = 1 }
        END { print least ": " min; exit bad } NR == 1 { min = $0 }'
}
for scale in "" @2x; do
    for m in "${!matrices[@]}"; do
        for ((a = 0; a < 8; a++)); do for ((b = a + 1; b < 8; b++)); do
            convert "$1/${tiles[a]}$scale.png" "$1/${tiles[b]}$scale.png" -alpha off \
                -colorspace RGB -color-matrix "${matrices[$m]}" -colorspace sRGB \
                -compose difference -composite -separate -evaluate-sequence max \
                -fx "u >= 64/255" \
                -format "%[fx:mean] $m ${tiles[a]} ${tiles[b]} ${scale:-@1x}\n" info:
        done; done
    done
done | least "tiles too alike" 0.05 "the least plain pair"
# Each mark (the second commonest colour inside the bevel) against its face (the commonest): a
# WCAG contrast ratio of 4.5:1 at least, in luminance, in plain grey and as each of those sees it.
seeing="${matrices[protanopia]} ${matrices[deuteranopia]} ${matrices[tritanopia]}"
for t in "${tiles[@]}"; do for scale in "" @2x; do
    convert "$1/$t$scale.png" -alpha off -shave "${scale:+4x4}${scale:-2x2}" -depth 8 \
        -format %c histogram:info: | sort -rn |
        awk -F'[:(),]+' -v tile="$t$scale" -v m="$seeing" -f "$here/mark_contrast.awk"
done; done | least "mark too faint" 4.5 "the faintest mark"

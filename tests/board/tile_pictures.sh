#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Players with red-green or blue-yellow colour blindness must still tell every tile from every
# other: under each simulated dichromacy (Machado, Oliveira and Fuentes 2009, severity 1, in
# linear RGB) at least 5 % of the pixels of any two tile pictures, at 1x and 2x, differ by 64
# levels or more in a channel.   tile_pictures.sh PICTURES_FOLDER
set -euo pipefail
declare -A matrices=(
    [protanopia]="0.152286 1.052583 -0.204868 0.114503 0.786281 0.099216 -0.003882 -0.048116 1.051998"
    [deuteranopia]="0.367322 0.860646 -0.227968 0.280085 0.672501 0.047413 -0.011820 0.042940 0.968881"
    [tritanopia]="1.255528 -0.076749 -0.178779 -0.078411 0.930809 0.147602 0.004733 0.691367 0.303900")
tiles=(168 169 170 171 172 173 174 178) # blue, cyan, green, magenta, red, yellow, white, gray
for scale in "" @2x; do
    for m in "${!matrices[@]}"; do
        for ((a = 0; a < 8; a++)); do for ((b = a + 1; b < 8; b++)); do # the share of plainly different pixels
            convert "$1/${tiles[a]}$scale.png" "$1/${tiles[b]}$scale.png" -alpha off \
                -colorspace RGB -color-matrix "${matrices[$m]}" -colorspace sRGB -compose difference -composite \
                -separate -evaluate-sequence max -fx "u >= 64/255" -format "%[fx:mean] $m ${tiles[a]} ${tiles[b]} ${scale:-@1x}\n" info:
        done; done
    done
done | sort -g | awk '$1 < 0.05 { print "tiles too alike: " $0; bad = 1 } END { print "the least plain pair: " min; exit bad } NR == 1 { min = $0 }'
# Each mark (the second commonest colour inside the bevel) against its face (the commonest): a
# WCAG contrast ratio of 4.5:1 at least, in luminance, in plain grey and as each of those sees it.
for t in "${tiles[@]}"; do for scale in "" @2x; do
    convert "$1/$t$scale.png" -alpha off -shave "${scale:+4x4}${scale:-2x2}" -depth 8 -format %c histogram:info: | sort -rn |
        awk -F'[:(),]+' -v tile="$t$scale" -v m="${matrices[protanopia]} ${matrices[deuteranopia]} ${matrices[tritanopia]}" '
        function lin(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
        function y(r, g, b) { return 0.2126 * r + 0.7152 * g + 0.0722 * b }
        function seen(M, i, v) { v = a[M + 1] * r[i] + a[M + 2] * g[i] + a[M + 3] * b[i]; return v < 0 ? 0 : v > 1 ? 1 : v }
        NR <= 2 { r[NR] = lin($3); g[NR] = lin($4); b[NR] = lin($5); L["luminance", NR] = y(r[NR], g[NR], b[NR])
            L["grey", NR] = lin(y($3, $4, $5)) }
        END { split(m, a, " "); split("protanopia deuteranopia tritanopia", name, " ")
            for (k = 0; k < 3; k++) for (i = 1; i <= 2; i++) L[name[k + 1], i] = y(seen(9 * k, i), seen(9 * k + 3, i), seen(9 * k + 6, i))
            for (v in L) { split(v, key, SUBSEP); if (key[2] == 1) {
                hi = L[v] > L[key[1], 2] ? L[v] : L[key[1], 2]; lo = L[v] + L[key[1], 2] - hi
                printf "%.2f %s mark on face %s\n", (hi + 0.05) / (lo + 0.05), key[1], tile } } }'
done; done | sort -g | awk '$1 < 4.5 { print "mark too faint: " $0; bad = 1 } END { print "the faintest mark: " min; exit bad } NR == 1 { min = $0 }'

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Draws the game's pictures with ImageMagick (convert, version 6).
#
#   tools/make-pictures.sh
#
# Writes resources/pictures/<number>.png and <number>@2x.png for the nine tiles
# and the title emblem, plus the application icon resources/huemix.png and
# the windows' own icon resources/huemix-64.png.
# Output is byte-for-byte reproducible: metadata and timestamps are stripped,
# so re-running it after a change shows only the pictures that really changed.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/start.sh make-pictures convert resources/pictures

# Every write goes through here so no file carries a date, time or comment.
png_opts=(-strip -define "png:exclude-chunks=date,time")

# mark SHAPE SCALE: the ImageMagick draw primitive for a tile's mark, a shape
# about 14 px across in the middle of the 32 px tile (1x units, scaled).
# Coordinates are pixel edges; ImageMagick's are pixel centres, hence the -0.5.
mark() {
    local shape=$1 s=$2
    at() { awk -v s="$s" '{ for (i = 1; i <= NF; i++) { split($i, p, ","); printf "%s%g,%g", (i > 1 ? " " : ""), p[1] * s - 0.5, p[2] * s - 0.5 } }' <<<"$*"; }
    case $shape in
        square) echo "polygon $(at 10,10 22,10 22,22 10,22)" ;;
        disc) echo "circle $(at 16,16 16,9.5)" ;;
        triangle) echo "polygon $(at 16,8.5 23.5,22.5 8.5,22.5)" ;;
        diamond) echo "polygon $(at 16,8 24,16 16,24 8,16)" ;;
        plus) echo "polygon $(at 14,9 18,9 18,14 23,14 23,18 18,18 18,23 14,23 14,18 9,18 9,14 14,14)" ;;
        cross) echo "polygon $(at 9,11.5 11.5,9 16,13.5 20.5,9 23,11.5 18.5,16 23,20.5 20.5,23 16,18.5 11.5,23 9,20.5 13.5,16)" ;;
        ring) echo "circle $(at 16,16 16,8.5)" ;;
        bar) echo "polygon $(at 9,13.5 23,13.5 23,18.5 9,18.5)" ;;
    esac
}

# blend A B: the colour halfway between two #RRGGBB colours
blend() {
    local a=${1#\#} b=${2#\#} i out="#"
    for i in 0 2 4; do out+=$(printf %02X $(((16#${a:i:2} + 16#${b:i:2}) / 2))); done
    echo "$out"
}

# tile NUMBER FILL BORDER HIGHLIGHT SHADE MARK INK
# A tile in its pure colour with rounded corners and a soft two-step bevel
# (lighter top-left, darker bottom-right) inside a darker border, so it reads
# as a raised piece and two neighbours of one colour still read as two tiles;
# the face inside the bevel stays flat, and carries a mark of its own in INK:
# a shape tells the colours apart for players who cannot tell them by hue.
# Drawn natively at each scale so edges stay sharp; the corners are
# transparent, so the field shows there.
tile() {
    local num=$1 fill=$2 border=$3 hi=$4 shade=$5 shape=$6 ink=$7 s n file hole hi2 shade2
    hi2=$(blend "$hi" "$fill") shade2=$(blend "$shade" "$fill")
    for s in 1 2; do
        n=$((32 * s))
        file="$out/$num.png"
        [[ $s == 2 ]] && file="$out/$num@2x.png"
        hole=()
        # The ring is a disc with the tile's fill punched back into its middle.
        [[ $shape == ring ]] && hole=(-fill "$fill" -draw "circle $(awk -v s="$s" 'BEGIN { printf "%g,%g %g,%g", 16 * s - 0.5, 16 * s - 0.5, 16 * s - 0.5, 12.5 * s - 0.5 }')")
        # Each ring of the bevel is a rounded square shifted toward its light.
        convert -size "${n}x${n}" xc:none -stroke none \
            -fill "$border" -draw "roundrectangle 0,0 $((n - 1)),$((n - 1)) $((4 * s)),$((4 * s))" \
            -fill "$shade" -draw "roundrectangle $s,$s $((n - 1 - s)),$((n - 1 - s)) $((3 * s)),$((3 * s))" \
            -fill "$hi" -draw "roundrectangle $s,$s $((n - 1 - 2 * s)),$((n - 1 - 2 * s)) $((3 * s)),$((3 * s))" \
            -fill "$shade2" -draw "roundrectangle $((2 * s)),$((2 * s)) $((n - 1 - 2 * s)),$((n - 1 - 2 * s)) $((2 * s)),$((2 * s))" \
            -fill "$hi2" -draw "roundrectangle $((2 * s)),$((2 * s)) $((n - 1 - 3 * s)),$((n - 1 - 3 * s)) $((2 * s)),$((2 * s))" \
            +antialias -fill "$fill" -draw "rectangle $((3 * s)),$((3 * s)) $((n - 1 - 3 * s)),$((n - 1 - 3 * s))" \
            -fill "$ink" -draw "$(mark "$shape" "$s")" "${hole[@]}" \
            "${png_opts[@]}" "PNG32:$file"
    done
}

# outlined NUMBER FILL OUTLINE
# A flat fill inside a plain outline, no bevel: the empty-cell marker, which
# must not be mistaken for a white tile.
outlined() {
    local num=$1 fill=$2 outline=$3 s n file
    for s in 1 2; do
        n=$((32 * s))
        file="$out/$num.png"
        [[ $s == 2 ]] && file="$out/$num@2x.png"
        convert -size "${n}x${n}" "xc:$outline" +antialias -stroke none \
            -fill "$fill" -draw "rectangle $s,$s $((n - 1 - s)),$((n - 1 - s))" \
            "${png_opts[@]}" "PNG24:$file"
    done
}

# A mark must stand out from its face in grey and to colour-blind eyes as
# well (contrast 4.5:1, tests/board/tile_pictures.sh): pure red and magenta
# are mid-grey to some of those eyes and to a plain grey conversion, so
# both are deepened to take a white mark, and gray takes a black one.
#            number fill     border   highlight shade    mark     ink
tile         168    '#0000FF' '#00007A' '#6666FF' '#0000C8' square   '#FFFFFF'  # blue
tile         169    '#00FFFF' '#008C8C' '#99FFFF' '#00CCCC' diamond  '#000000'  # cyan
tile         170    '#00FF00' '#008C00' '#99FF99' '#00CC00' triangle '#000000'  # green
tile         171    '#B000B0' '#580058' '#E070E0' '#900090' cross    '#FFFFFF'  # magenta
tile         172    '#C00000' '#600000' '#F06060' '#9C0000' disc     '#FFFFFF'  # red
tile         173    '#FFFF00' '#8C8C00' '#FFFF99' '#CCCC00' plus     '#000000'  # yellow
tile         174    '#FFFFFF' '#505050' '#FFFFFF' '#D0D0D0' ring     '#000000'  # white: a dark frame keeps it off the field's white
tile         178    '#808080' '#303030' '#A8A8A8' '#6C6C6C' bar      '#000000'  # gray
outlined     180    '#FFFFFF' '#808080'                       # whiteo: empty cell

# disc CANVAS RADIUS CENTRE_X CENTRE_Y FILE: a hard-edged white disc on black
disc() {
    convert -size "$1x$1" xc:black +antialias -fill white -stroke none \
        -draw "circle $3,$4 $(($3 + $2)),$4" "$5"
}

# emblem SIZE BACKGROUND FILE
# Three overlapping light circles, red, green and blue, that add up to yellow,
# cyan, magenta where two meet and white where all three do. Drawn hard-edged
# at 8x and box-filtered down, so each region keeps its exact colour and only
# the rims are blended. BACKGROUND is a colour or "none" for transparency.
emblem() {
    local size=$1 bg=$2 file=$3 big r cx cy dy dx
    big=$((size * 8))
    r=$((big * 29 / 100))             # circle radius
    cx=$((big / 2))
    cy=$((big * 5475 / 10000))        # a little low: the top circle reaches higher than the bottom pair
    dy=$((big * 19 / 100))            # centre of the picture to the top circle's centre
    dx=$((big * 1645 / 10000))        # dy * sin 60: the bottom pair's horizontal offset

    disc "$big" "$r" "$cx" "$((cy - dy))" "$tmp/r.png"
    disc "$big" "$r" "$((cx - dx))" "$((cy + dy / 2))" "$tmp/g.png"
    disc "$big" "$r" "$((cx + dx))" "$((cy + dy / 2))" "$tmp/b.png"

    # The three discs as the red, green and blue channels are exactly the
    # additive mix; their union is where anything is lit.
    convert "$tmp/r.png" "$tmp/g.png" "$tmp/b.png" -channel RGB -combine "$tmp/mix.png"
    convert "$tmp/r.png" "$tmp/g.png" "$tmp/b.png" -compose lighten -background black -flatten \
        -colorspace gray "$tmp/union.png"

    if [[ $bg == none ]]; then
        convert "$tmp/mix.png" "$tmp/union.png" -alpha off -compose copy_opacity -composite \
            -filter box -resize "${size}x${size}" "${png_opts[@]}" "PNG32:$file"
    else
        convert -size "${big}x${big}" "xc:$bg" "$tmp/mix.png" "$tmp/union.png" -composite \
            -filter box -resize "${size}x${size}" "${png_opts[@]}" "PNG24:$file"
    fi
}

emblem 64 white "$out/175.png"       # huemixsmall, the title image
emblem 128 white "$out/175@2x.png"
emblem 256 none resources/huemix.png # application icon
# Title and task bars show a window's icon small; a 256 px one costs each
# window 0.6 MB of memory for nothing.
emblem 64 none resources/huemix-64.png

echo "make-pictures: wrote $(find "$out" -name '*.png' | wc -l) pictures in $out, resources/huemix.png and resources/huemix-64.png"

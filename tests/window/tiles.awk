# SPDX-License-Identifier: MIT
# From ImageMagick's txt: listing of the field's columns side by side, one pixel wide (with
# -F'[ ,:()]+'): "COLUMN TOP COLOUR" of each run of 32 px with the face of a colour that falls.
NR > 1 { c[$1, $2] = $3 "," $4 "," $5 }
END {
    faces = "^(0,0,255|0,255,255|0,255,0|176,0,176|192,0,0|255,255,0)$"
    for (i = 0; i < 9; i++) {
        for (y = 0; y <= 480; y++) {
            if (y < 480 && c[i, y] != "255,255,255") {
                if (top == "") top = y
                continue
            }
            colour = c[i, int((top + y - 1) / 2)]
            if (top != "" && y - top == 32 && top < 420 && colour ~ faces) print i, top, colour
            top = ""
        }
    }
}

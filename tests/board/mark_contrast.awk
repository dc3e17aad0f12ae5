# The contrast of a tile's mark against its face, from a sorted ImageMagick histogram (the face
# first, the mark second): one line per way of seeing, "RATIO SEEING mark on face TILE".
#   awk -F'[:(),]+' -v tile=NAME -v m="PROTANOPIA DEUTERANOPIA TRITANOPIA (9 numbers each)"
function lin(c) { c /= 255; return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
function y(r, g, b) { return 0.2126 * r + 0.7152 * g + 0.0722 * b }
function seen(M, i, v) {
    v = a[M + 1] * r[i] + a[M + 2] * g[i] + a[M + 3] * b[i]
    return v < 0 ? 0 : v > 1 ? 1 : v
}
NR <= 2 {
    r[NR] = lin($3); g[NR] = lin($4); b[NR] = lin($5)
    L["luminance", NR] = y(r[NR], g[NR], b[NR])
    L["grey", NR] = lin(y($3, $4, $5))
}
END {
    split(m, a, " "); split("protanopia deuteranopia tritanopia", name, " ")
    for (k = 0; k < 3; k++) for (i = 1; i <= 2; i++)
        L[name[k + 1], i] = y(seen(9 * k, i), seen(9 * k + 3, i), seen(9 * k + 6, i))
    for (v in L) {
        split(v, key, SUBSEP)
        if (key[2] == 1) {
            hi = L[v] > L[key[1], 2] ? L[v] : L[key[1], 2]; lo = L[v] + L[key[1], 2] - hi
            printf "%.2f %s mark on face %s\n", (hi + 0.05) / (lo + 0.05), key[1], tile
        }
    }
}

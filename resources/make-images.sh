#!/usr/bin/env bash
# Regenerates the main window's artwork next to this script:
#
#   background.bmp  440x110, 8 bits per pixel, BI_RGB, 256-entry grey palette.
#                   The window paints it unscaled at its client origin and the
#                   client area is only 415x100, so the right 25 and bottom 10
#                   pixels are never seen; all lettering stays inside 415x100.
#   idler.ico       two images, 32x32 and 16x16, 4 bits per pixel (16 colours)
#                   with a 1-bit transparency mask.
#
# Both outputs are committed, so a normal build never runs this script.
#
# Needs (Debian packages):
#   imagemagick         convert / identify (ImageMagick 6 command names)
#   fonts-dejavu-core   DejaVu Sans Bold
#   xxd                 hex to binary for the file writers below
#   coreutils, awk (mawk or gawk)
#
# ImageMagick does all the drawing. The two files are then packed by hand,
# headers written byte by byte below, so their layout never depends on how a
# given ImageMagick version picks depth and palette from the colours in use:
# the bitmap's palette is always the plain ramp (entry i = grey level i) and
# both icon images always share the fixed 16-colour palette defined below.

set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

die() { echo "make-images.sh: $*" >&2; exit 1; }

command -v convert >/dev/null || die "convert not found (apt-get install imagemagick)"
convert -version | grep -q ImageMagick || die "'convert' is not ImageMagick"
command -v xxd >/dev/null || die "xxd not found (apt-get install xxd)"
[ -r "$font" ] || die "$font missing (apt-get install fonts-dejavu-core)"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# ---------------------------------------------------------------------------
# little-endian hex helpers for the file writers
le16() { printf '%02x%02x' $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() {
    printf '%02x%02x%02x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) \
        $((($1 >> 16) & 255)) $((($1 >> 24) & 255))
}

# ---------------------------------------------------------------------------
# Background banner

W=440 H=110          # bitmap size
VIS_W=415 VIS_H=100  # what the client area shows of it

# One word as a white-on-black mask, letters individually tilted and bounced
# off the baseline so it looks hand-sprayed rather than typeset.
#   spray_word TEXT POINTSIZE "ROTATIONS" "Y-OFFSETS" OUT
spray_word() {
    local text=$1 ps=$2 out=$5 i c
    local -a rots dys args=()
    read -r -a rots <<<"$3"
    read -r -a dys <<<"$4"
    for ((i = 0; i < ${#text}; i++)); do
        c=${text:i:1}
        args+=("(" -background black -fill white -font "$font" -pointsize "$ps"
            label:"$c" -trim +repage -bordercolor black -border 0x16
            -rotate "${rots[i]}" -gravity center -extent "x$((ps * 2))"
            -roll "+0+${dys[i]}" ")")
    done
    convert "${args[@]}" -background black -gravity center +smush -5 \
        -trim +repage "$out"
}

spray_word Quorvallianz 64 "-6 4 -3 6 -5 3 -2 5 -6 4 -4 3" \
    "0 4 -3 2 -4 2 -3 4 0 -3 3 -1" "$tmp/word.png"
spray_word 2k 64 "-8 6" "0 0" "$tmp/tag.png"

# Squeeze into place, slant, and lay both parts on the full-size canvas.
convert -size ${W}x${H} xc:black \
    \( "$tmp/word.png" -resize '290x62!' -background black -shear 12x0 \) \
    -geometry +12+15 -compose lighten -composite \
    \( "$tmp/tag.png" -resize 'x36' -background black -rotate -6 -shear 12x0 \) \
    -geometry +325+40 -compose lighten -composite \
    -threshold 50% "$tmp/mask.png"

# Layers, back to front.
convert "$tmp/mask.png" -morphology Dilate Disk:2 "$tmp/inner.png"   # dark line
convert "$tmp/mask.png" -morphology Dilate Disk:4.3 "$tmp/outer.png" # light rim

# 3-D block: the rim pushed down and to the right a pixel at a time.
ext=("$tmp/outer.png")
for k in 1 2 3 4 5 6; do
    ext+=("(" "$tmp/outer.png" -roll "+${k}+${k}" ")" -compose lighten -composite)
done
convert "${ext[@]}" "$tmp/block.png"

# Overspray: a soft haze around the piece plus scattered paint droplets.
convert "$tmp/block.png" -morphology Dilate Disk:6 -blur 0x7 "$tmp/haze.png"
convert -seed 2000 -size ${W}x${H} xc: +noise Random -channel G -separate \
    +channel "$tmp/haze.png" -compose multiply -composite \
    -threshold 62% "$tmp/dots.png"

# Letter fill: light at the top fading to mid grey, with a bright edge on the
# upper-left of every stroke and a darker one on the lower right.
convert -size ${W}x${H} gradient:'#f8f8f8-#505050' "$tmp/grad.png"
convert "$tmp/mask.png" \( "$tmp/mask.png" -roll +2+2 \) \
    -compose minus_src -composite "$tmp/shine.png"
convert "$tmp/mask.png" \( "$tmp/mask.png" -roll -2-2 \) \
    -compose minus_src -composite "$tmp/shade.png"

# A four-pointed glint centred on X,Y with arms R long, as -draw primitives.
sparkle() {
    local x=$1 y=$2 r=$3 d=$(($3 / 2))
    echo "line $((x - r)),$y $((x + r)),$y line $x,$((y - r)) $x,$((y + r))" \
        "line $((x - d)),$((y - d)) $((x + d)),$((y + d))" \
        "line $((x - d)),$((y + d)) $((x + d)),$((y - d))"
}

convert -size ${W}x${H} xc:black \
    \( -size ${W}x${H} xc:'#1e1e1e' \) "$tmp/haze.png" -compose over -composite \
    \( -size ${W}x${H} xc:'#6a6a6a' \) "$tmp/dots.png" -compose over -composite \
    \( -size ${W}x${H} gradient:'#484848-#202020' \) "$tmp/block.png" -compose over -composite \
    \( -size ${W}x${H} xc:'#c8c8c8' \) "$tmp/outer.png" -compose over -composite \
    \( -size ${W}x${H} xc:'#101010' \) "$tmp/inner.png" -compose over -composite \
    "$tmp/grad.png" "$tmp/mask.png" -compose over -composite \
    \( -size ${W}x${H} xc:'#707070' \) "$tmp/shade.png" -compose over -composite \
    \( -size ${W}x${H} xc:white \) "$tmp/shine.png" -compose over -composite \
    -stroke white -strokewidth 1 -draw "$(sparkle 31 16 7) $(sparkle 310 26 6) $(sparkle 390 44 5)" \
    -stroke none -fill black -draw "rectangle $VIS_W,0 $((W - 1)),$((H - 1))" \
    -draw "rectangle 0,$VIS_H $((W - 1)),$((H - 1))" \
    -colorspace Gray "$tmp/banner.png"

# Pack as a bottom-up 8-bit BMP whose palette entry i is grey level i, so the
# pixel bytes are simply the grey values.
[ $((W % 4)) -eq 0 ] || die "banner width must be a multiple of 4"
pixels=$((W * H))
offset=$((14 + 40 + 256 * 4))
{
    printf '424d'; le32 $((offset + pixels)); le32 0; le32 $offset
    le32 40; le32 $W; le32 $H; le16 1; le16 8
    le32 0                   # BI_RGB
    le32 $pixels
    le32 2835; le32 2835     # 72 dpi
    le32 256; le32 0         # colours used, all important
    for ((i = 0; i < 256; i++)); do printf '%02x%02x%02x00' $i $i $i; done
} | xxd -r -p >"$tmp/background.bmp"
convert "$tmp/banner.png" -flip -depth 8 gray:- >>"$tmp/background.bmp"
[ "$(stat -c %s "$tmp/background.bmp")" -eq $((offset + pixels)) ] ||
    die "background.bmp came out the wrong size"

# ---------------------------------------------------------------------------
# Icon

# The 16 colours both icon images share: a grey ramp, four blues for the
# tile and two ambers for the sleepy "z".
palette=(000000 1c1c1c 383838 555555 717171 8e8e8e aaaaaa c6c6c6
    e3e3e3 ffffff 16243e 2a4470 4a6ea8 86a8d8 c08a18 ffd24a)
{
    printf 'P3\n16 1\n255\n'
    for c in "${palette[@]}"; do
        printf '%d %d %d\n' $((16#${c:0:2})) $((16#${c:2:2})) $((16#${c:4:2}))
    done
} >"$tmp/palette.ppm"

# icon_art SIZE OUT  -- the artwork with alpha, before quantising.
# 32x32: a slanted white "B" with a drop shadow on a rounded blue tile and a
# little amber "z" for sleeping. 16x16 is drawn pixel by pixel instead: at
# that size an upright two-pixel-stroke "B" reads far better than any scaled
# glyph.
icon_art() {
    local s=$1 out=$2
    if [ "$s" -eq 32 ]; then
        convert -size 32x32 xc:none \
            -fill '#2a4470' -stroke '#86a8d8' -strokewidth 2 \
            -draw 'roundrectangle 1,1 30,30 6,6' -stroke none \
            \( -background none -fill '#16243e' -font "$font" -pointsize 27 \
                label:B -trim +repage -shear 10x0 \) \
            -gravity west -geometry +6+3 -compose over -composite \
            \( -background none -fill white -font "$font" -pointsize 27 \
                label:B -trim +repage -shear 10x0 \) \
            -gravity west -geometry +4+1 -compose over -composite \
            \( -background none -fill '#ffd24a' -font "$font" -pointsize 11 \
                label:z -trim +repage \) \
            -gravity northeast -geometry +4+4 -compose over -composite \
            "$out"
    else
        cat >"$tmp/icon16.xpm" <<'XPM'
/* XPM */
static char *icon16[] = {
"16 16 5 1",
"  c None",
"o c #86a8d8",
"n c #2a4470",
"s c #16243e",
"W c #ffffff",
" oooooooooooooo ",
"onnnnnnnnnnnnnno",
"onnnnnnnnnnnnnno",
"onnWWWWWWnnnnnno",
"onnWWssWWWnnnnno",
"onnWWsnnWWsnnnno",
"onnWWsnWWWsnnnno",
"onnWWWWWWssnnnno",
"onnWWsssWWnnnnno",
"onnWWsnnnWWnnnno",
"onnWWsnnnWWsnnno",
"onnWWsnnWWWsnnno",
"onnWWWWWWWssnnno",
"onnnsssssssnnnno",
"onnnnnnnnnnnnnno",
" oooooooooooooo "};
XPM
        convert "$tmp/icon16.xpm" "$out"
    fi
}

# icon_entry SIZE  -- hex of BITMAPINFOHEADER + palette + XOR + AND for one
# image; pixels that are mostly transparent go to the AND mask.
icon_entry() {
    local s=$1
    icon_art "$s" "$tmp/icon$s.png"
    convert "$tmp/icon$s.png" -alpha extract -threshold 50% -negate \
        -depth 8 gray:"$tmp/and$s.raw"
    convert "$tmp/icon$s.png" -background black -alpha remove +dither \
        -remap "$tmp/palette.ppm" -depth 8 rgb:"$tmp/rgb$s.raw"
    le32 40; le32 "$s"; le32 $((s * 2)); le16 1; le16 4; le32 0
    le32 $((s * s / 2 + s * 4)); le32 0; le32 0; le32 16; le32 0
    for c in "${palette[@]}"; do printf '%s%s%s00' "${c:4:2}" "${c:2:2}" "${c:0:2}"; done
    {
        od -An -v -tx1 "$tmp/rgb$s.raw"
        echo "--"
        od -An -v -tu1 "$tmp/and$s.raw"
    } | awk -v s="$s" -v pal="${palette[*]}" '
        BEGIN { n = split(pal, p, " "); for (i = 1; i <= n; i++) idx[p[i]] = i - 1 }
        $1 == "--" { part = 2; next }
        part != 2 { for (i = 1; i <= NF; i++) rgb[nr++] = $i; next }
        { for (i = 1; i <= NF; i++) msk[nm++] = ($i > 127) }
        END {
            # XOR bitmap: 4 bits per pixel, bottom row first, left pixel in
            # the high nibble; rows are whole dwords for both sizes.
            for (y = s - 1; y >= 0; y--)
                for (x = 0; x < s; x++) {
                    k = y * s + x
                    c = rgb[3 * k] rgb[3 * k + 1] rgb[3 * k + 2]
                    if (!(c in idx)) { print "colour " c " not in palette" > "/dev/stderr"; exit 1 }
                    printf "%x", msk[k] ? 0 : idx[c]
                }
            # AND mask: 1 bit per pixel, rows padded to 4 bytes.
            for (y = s - 1; y >= 0; y--) {
                bytes = 0
                for (x = 0; x < s; x += 8) {
                    b = 0
                    for (j = 0; j < 8; j++) b = b * 2 + (x + j < s ? msk[y * s + x + j] : 1)
                    printf "%02x", b; bytes++
                }
                for (; bytes % 4; bytes++) printf "00"
            }
        }'
}

icon_entry 32 >"$tmp/e32.hex"
icon_entry 16 >"$tmp/e16.hex"
len32=$(($(tr -d '\n' <"$tmp/e32.hex" | wc -c) / 2))
len16=$(($(tr -d '\n' <"$tmp/e16.hex" | wc -c) / 2))
{
    le16 0; le16 1; le16 2                  # ICONDIR: icon, two images
    # entries: width, height, colour count, reserved, planes, bits, size, offset
    printf '2020'; printf '1000'; le16 1; le16 4; le32 $len32; le32 $((6 + 2 * 16))
    printf '1010'; printf '1000'; le16 1; le16 4; le32 $len16; le32 $((6 + 2 * 16 + len32))
    cat "$tmp/e32.hex" "$tmp/e16.hex"
} | tr -d '\n' | xxd -r -p >"$tmp/idler.ico"

cp "$tmp/background.bmp" "$here/background.bmp"
cp "$tmp/idler.ico" "$here/idler.ico"
echo "wrote $here/background.bmp and $here/idler.ico"

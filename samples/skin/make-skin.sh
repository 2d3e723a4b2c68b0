#!/usr/bin/env bash
# Draws the default wizard skin: the window picture and four states of each of
# the three buttons. Everything outside a shape is pure magenta (255,0,255), the
# colour the wizard cuts out of its window and buttons.
#
# Outlines are drawn without anti-aliasing so that every edge pixel is either
# exactly magenta or plainly the shape's own colour; a soft edge would leave
# pinkish pixels that are neither cut away nor pleasant to look at. Inside a
# shape, any pixel that comes out exactly magenta is nudged to (254,0,255) so
# that it cannot punch a hole in the window.
#
# Needs only bash and ImageMagick 6 (`convert`). Run from anywhere:
#     bash samples/skin/make-skin.sh
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$(cd "$here/../setup/Graphics" && pwd)   # the sample setup project's Graphics folder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

KEY='#FF00FF'        # the transparent colour
NEAR_KEY='#FE00FF'   # what an accidental magenta pixel inside a shape becomes
FONT=DejaVu-Sans
FONT_BOLD=DejaVu-Sans-Bold

fail() { echo "make-skin: $*" >&2; exit 1; }

# cut BODY MASK OUT: keeps BODY where MASK is white, magenta elsewhere, and
# writes a 24-bit uncompressed bottom-up BMP without alpha. Then reads the file
# back and checks that its magenta pixels are exactly the outside of the mask.
cut() {
    local body=$1 mask=$2 out=$3 w h diff
    w=$(identify -format '%w' "$mask")
    h=$(identify -format '%h' "$mask")
    convert "$body" -alpha off -fill "$NEAR_KEY" -opaque "$KEY" "$work/clean.png"
    convert -size "${w}x${h}" "xc:$KEY" "$work/clean.png" "$mask" -composite \
        -alpha off -type TrueColor -compress None "BMP3:$out"

    convert "$out" -fill white +opaque "$KEY" -fill black -opaque "$KEY" "$work/outline.png"
    diff=$(compare -metric AE "$work/outline.png" "$mask" null: 2>&1 || true)
    [[ $diff == 0 ]] || fail "$out: $diff pixels differ from the intended outline"
}

# check_bmp FILE W H: 24-bit, uncompressed, bottom-up, right size, magenta corners.
check_bmp() {
    local f=$1 w=$2 h=$3 x y
    [[ $(head -c 2 "$f") == BM ]] || fail "$f: not a BMP"
    [[ $(od -An -tu4 -j14 -N4 "$f" | tr -d ' ') == 40 ]] || fail "$f: not a plain BMP3 header"
    [[ $(od -An -td4 -j18 -N4 "$f" | tr -d ' ') == "$w" ]] || fail "$f: width is not $w"
    [[ $(od -An -td4 -j22 -N4 "$f" | tr -d ' ') == "$h" ]] || fail "$f: not $h rows bottom-up"
    [[ $(od -An -tu2 -j28 -N2 "$f" | tr -d ' ') == 24 ]] || fail "$f: not 24 bits per pixel"
    [[ $(od -An -tu4 -j30 -N4 "$f" | tr -d ' ') == 0 ]] || fail "$f: compressed"
    for x in 0 $((w - 1)); do
        for y in 0 $((h - 1)); do
            [[ $(convert "$f" -format "%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]" info:) == 255,0,255 ]] \
                || fail "$f: corner $x,$y is not magenta"
        done
    done
}

# centre_mean FILE: average colour "r g b" of the middle 20 x 10 pixels.
centre_mean() {
    convert "$1" -gravity center -crop 20x10+0+0 +repage \
        -format '%[fx:255*mean.r] %[fx:255*mean.g] %[fx:255*mean.b]' info:
}

# ---------------------------------------------------------------- window ---
W=620 H=440
# Body: a rounded rectangle inset from the top-left corner so that the round
# badge can stick out beyond both of its edges.
BX=18 BY=18 R=28
# Badge: a circle of 72 px diameter over the body's top-left corner.
CX=40 CY=40 CR=36
# Text panel the program lays over the picture; it gets a frame and a shadow.
PX=190 PY=40 PW=400 PH=320

window() {
    local px1=$((PX + PW - 1)) py1=$((PY + PH - 1))

    # Outline mask: hard-edged so the cut has no fringe.
    convert -size ${W}x${H} xc:black +antialias -fill white \
        -draw "roundrectangle $BX,$BY $((W - 1)),$((H - 1)) $R,$R" \
        -draw "circle $CX,$CY $CX,$((CY - CR))" \
        "$work/window-mask.png"

    # Soft shadow around the text panel, kept out of the panel itself so the
    # panel area stays an even, calm tone.
    convert -size ${W}x${H} xc:none -fill 'rgba(0,10,30,0.55)' \
        -draw "rectangle $((PX + 3)),$((PY + 5)) $((px1 + 5)),$((py1 + 7))" \
        -channel A -blur 0x5 +channel \
        \( -size ${W}x${H} xc:none -fill white -draw "rectangle $PX,$PY $px1,$py1" \) \
        -compose DstOut -composite "$work/shadow.png"

    # Body gradient, left-band tint, bevel, panel frame and the vertical word.
    convert -size ${W}x${H} gradient:'#0c2a5c-#10707c' \
        \( -size ${W}x${H} gradient:'rgba(255,255,255,0.10)-rgba(255,255,255,0.0)' \) \
        -compose over -composite \
        -fill 'rgba(0,20,50,0.22)' -draw "rectangle 0,0 170,$((H - 1))" \
        -fill none -stroke 'rgba(0,12,35,0.9)' -strokewidth 2 \
        -draw "roundrectangle $((BX + 1)),$((BY + 1)) $((W - 2)),$((H - 2)) $((R - 1)),$((R - 1))" \
        -stroke 'rgba(150,225,240,0.55)' -strokewidth 1 \
        -draw "roundrectangle $((BX + 4)),$((BY + 4)) $((W - 5)),$((H - 5)) $((R - 4)),$((R - 4))" \
        -stroke 'rgba(150,225,240,0.18)' \
        -draw "line 170,80 170,$((H - 30))" \
        -stroke none \
        "$work/shadow.png" -compose over -composite \
        -fill 'rgba(255,255,255,0.06)' \
        -draw "rectangle $PX,$PY $px1,$py1" \
        -fill none -stroke 'rgba(190,235,245,0.55)' -strokewidth 1 \
        -draw "rectangle $((PX - 1)),$((PY - 1)) $((px1 + 1)),$((py1 + 1))" \
        -stroke 'rgba(190,235,245,0.20)' \
        -draw "line $PX,366 $px1,366" \
        -stroke none \
        -font "$FONT_BOLD" -pointsize 78 -fill 'rgba(225,245,250,0.88)' \
        -gravity southwest -annotate 270x270+128+58 'Setup' \
        -font "$FONT" -pointsize 12 -fill 'rgba(200,235,245,0.70)' \
        -gravity southwest -annotate +36+26 'Installation wizard' \
        -gravity northwest \
        "$work/body.png"

    # Badge: a raised disc with a download-into-tray glyph.
    convert "$work/body.png" \
        -fill '#0a2247' -draw "circle $CX,$CY $CX,$((CY - CR))" \
        \( -size $((2 * CR))x$((2 * CR)) -define gradient:center=$((CR * 2 / 3)),$((CR * 2 / 3)) \
           -define gradient:radii=$((CR * 3 / 2)),$((CR * 3 / 2)) radial-gradient:'#7fe3ec-#15558a' \
           \( -size $((2 * CR))x$((2 * CR)) xc:black -fill white \
              -draw "circle $((CR - 1)).5,$((CR - 1)).5 $((CR - 1)).5,0" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -geometry +$((CX - CR))+$((CY - CR)) -compose over -composite \
        -fill none -stroke '#0a2247' -strokewidth 3 \
        -draw "circle $CX,$CY $CX,$((CY - CR + 2))" \
        -stroke 'rgba(235,250,255,0.85)' -strokewidth 1.5 \
        -draw "circle $CX,$CY $CX,$((CY - CR + 5))" \
        -stroke none -fill white \
        -draw "rectangle $((CX - 5)),$((CY - 20)) $((CX + 5)),$((CY + 1))" \
        -draw "polygon $((CX - 14)),$((CY)) $((CX + 14)),$((CY)) $CX,$((CY + 13))" \
        -draw "rectangle $((CX - 19)),$((CY + 6)) $((CX - 15)),$((CY + 20))" \
        -draw "rectangle $((CX + 15)),$((CY + 6)) $((CX + 19)),$((CY + 20))" \
        -draw "rectangle $((CX - 19)),$((CY + 16)) $((CX + 19)),$((CY + 20))" \
        "$work/window-body.png"

    cut "$work/window-body.png" "$work/window-mask.png" "$out/Window.bmp"
}

# --------------------------------------------------------------- buttons ---
BW=96 BH=34 BR=12

# button NAME CAPTION STATE
button() {
    local name=$1 caption=$2 state=$3 top bottom ink rim shift='+0+0'
    case $state in
        Normal)   top='#f4f6f9' bottom='#a9b3c0' ink='#14233a' rim='#4d5a6c' ;;
        Over)     top='#fff6d2' bottom='#f3c44e' ink='#3a2600' rim='#9a7414' ;;
        Pressed)  top='#5d6b7e' bottom='#8794a6' ink='#0a1422' rim='#27313f'
                  shift='+1+1' ;;
        Disabled) top='#e6e6e6' bottom='#e6e6e6' ink='#a4a4a4' rim='#b4b4b4' ;;
    esac

    convert -size ${BW}x${BH} xc:black +antialias -fill white \
        -draw "roundrectangle 0,0 $((BW - 1)),$((BH - 1)) $BR,$BR" \
        "$work/button-mask.png"

    local shine='rgba(255,255,255,0.35)'
    [[ $state == Pressed || $state == Disabled ]] && shine='rgba(255,255,255,0.0)'

    convert -size ${BW}x${BH} gradient:"$top-$bottom" \
        -fill "$shine" \
        -draw "roundrectangle 2,2 $((BW - 3)),$((BH / 2)) $((BR - 2)),$((BR - 2))" \
        -fill none -stroke "$rim" -strokewidth 1.6 \
        -draw "roundrectangle 0.8,0.8 $((BW - 2)).2,$((BH - 2)).2 $((BR - 1)),$((BR - 1))" \
        -stroke none \
        -font "$FONT_BOLD" -pointsize 13 -fill "$ink" \
        -gravity center -annotate "$shift" "$caption" \
        "$work/button-body.png"

    cut "$work/button-body.png" "$work/button-mask.png" "$out/$name$state.bmp"
}

STATES=(Normal Over Pressed Disabled)

window
check_bmp "$out/Window.bmp" $W $H

for name in Back Next Cancel; do
    case $name in
        Back) caption='< Back' ;;
        Next) caption='Next >' ;;
        Cancel) caption='Cancel' ;;
    esac
    declare -A mean=()
    for state in "${STATES[@]}"; do
        button "$name" "$caption" "$state"
        check_bmp "$out/$name$state.bmp" $BW $BH
        mean[$state]=$(centre_mean "$out/$name$state.bmp")
    done
    # The states must be told apart by their centre colour alone: every pair
    # differs by at least 40 in some channel.
    for a in "${STATES[@]}"; do
        for b in "${STATES[@]}"; do
            [[ $a < $b ]] || continue
            awk -v a="${mean[$a]}" -v b="${mean[$b]}" 'BEGIN {
                split(a, x, " "); split(b, y, " "); d = 0
                for (i = 1; i <= 3; i++) { e = x[i] - y[i]; if (e < 0) e = -e; if (e > d) d = e }
                exit d < 40 }' || fail "$name: $a and $b centres are too alike"
        done
    done
    unset mean
done

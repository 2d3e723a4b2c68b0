#!/usr/bin/env bash
# Makes the small test pictures under tests/data/pictures/. The results are
# committed, so the tests need neither ImageMagick nor Python at run time;
# run this again only to change them.
#
# Most pictures show four coloured quarters: red and lime on top, blue and
# yellow below, so a decoder's size, orientation and colours can be checked.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out="$here/pictures"
mkdir -p "$out"

# Four quarters of w x h pixels each; "$4" is the bottom-right colour.
quarters() {
  local w=$1 h=$2 bottom_right=$3
  convert -size "${w}x${h}" xc:red xc:lime +append \
    \( -size "${w}x${h}" xc:blue "xc:$bottom_right" +append \) -append "${@:4}"
}

# JPEG: baseline (4:2:0 subsampling), progressive, greyscale and CMYK.
quarters 20 15 yellow -strip -quality 90 "$out/quarters.jpg"
quarters 20 15 yellow -strip -quality 90 -interlace JPEG "$out/quarters-progressive.jpg"
quarters 20 15 yellow -strip -quality 90 -colorspace CMYK "$out/quarters-cmyk.jpg"
convert -size 12x16 xc:gray25 xc:gray75 +append -strip -quality 95 \
  -colorspace Gray -type Grayscale "$out/grey.jpg"
# A tiny one for decoding every prefix of the file.
quarters 4 4 yellow -strip -quality 75 "$out/tiny.jpg"

# GIF with a palette; ICO with a transparent bottom-right quarter.
quarters 20 15 yellow -strip "$out/quarters.gif"
quarters 16 16 none -strip "$out/quarters.ico"

# Metafiles, written record by record.
python3 "$here/make-metafiles.py" "$out"

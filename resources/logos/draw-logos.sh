#!/bin/sh
# Draws the brand wordmarks that the installer carries as bitmap resources
# (BM_LOGO_<NAME>.bmp, 200 x 60, 24-bit). Each row of the brand table in
# ../lang/Strings_*.ini with a logo has one; Pellnor is also the fallback logo.
# Needs ImageMagick's convert. Run from anywhere; writes beside this script.
set -eu
cd "$(dirname "$0")"

font=DejaVu-Sans-Bold

# name  colour as the language file writes it (Windows order: blue green red)
brands='
Pellnor   800080
Varnholt  8B4500
Kelvaro   006400
Quillon   000000
Tessaline 0045C8
'

# The language file's colour is BBGGRR; ImageMagick wants #RRGGBB.
rgb_of() {
  bgr=$(printf '%06s' "$1" | tr ' ' 0)
  echo "#$(echo "$bgr" | cut -c5-6)$(echo "$bgr" | cut -c3-4)$(echo "$bgr" | cut -c1-2)"
}

echo "$brands" | while read -r name colour; do
  [ -n "$name" ] || continue
  upper=$(echo "$name" | tr '[:lower:]' '[:upper:]')
  initial=$(echo "$name" | cut -c1)
  rgb=$(rgb_of "$colour")
  convert -size 200x60 xc:white \
    -fill "$rgb" -draw 'rectangle 0,54 199,59' \
    -draw 'circle 28,27 28,5' \
    -fill white -font "$font" -pointsize 28 -gravity NorthWest \
    -annotate +18+8 "$initial" \
    -fill "$rgb" -pointsize 24 -annotate +58+12 "$name" \
    -alpha off -type TrueColor -compress None \
    "BMP3:BM_LOGO_${upper}.bmp"
  echo "BM_LOGO_${upper}.bmp"
done

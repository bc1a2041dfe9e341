#!/bin/bash
# Draws the pictures of the example package: the skinned window's background,
# printer and button pictures in package/Resource (one set per settings
# language EN, SC, TC), and the classic window's logo package/QX1Logo.jpg.
# Needs ImageMagick's convert and the WenQuanYi Micro Hei font (Debian package
# fonts-wqy-microhei) for the Chinese texts. Writes into the package.
set -euo pipefail
cd "$(dirname "$0")/package/Resource"

latin_font=DejaVu-Sans-Bold
cjk_font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
if [ ! -f "$cjk_font" ]; then
  echo "draw-package-pictures.sh: $cjk_font is missing (apt-get install fonts-wqy-microhei)" >&2
  exit 1
fi

# The skinned window draws this colour (Windows value 7740594) transparent.
key_colour='#B21C76'
band='#24384C'       # title band
panel='#EEF2F5'      # right-hand panel behind the buttons
accent='#1F6FA8'
grey='#7A8794'
green='#2E7D4F'

# png OUT ARGS...: a PNG without time stamps, so that redrawing changes nothing.
png() {
  local out=$1
  shift
  convert "$@" -alpha off -depth 8 -strip -define png:exclude-chunks=date,time "$out"
}

font_of() { if [ "$1" = EN ]; then echo "$latin_font"; else echo "$cjk_font"; fi; }

# text LANG KEY: the caption of a picture in one language.
text() {
  case "$1:$2" in
    EN:title)    echo 'Quillon Printer Driver Setup' ;;
    SC:title)    echo 'Quillon 打印机驱动程序安装' ;;
    TC:title)    echo 'Quillon 印表機驅動程式安裝' ;;
    EN:subtitle) echo 'QX series flatbed dot-matrix printers' ;;
    SC:subtitle) echo 'QX 系列平推式针式打印机' ;;
    TC:subtitle) echo 'QX 系列平推式點陣印表機' ;;
    EN:1)  echo 'Install' ;;
    SC:1)  echo '安装' ;;
    TC:1)  echo '安裝' ;;
    EN:10) echo 'Install the printer driver' ;;
    SC:10) echo '安装打印机驱动程序' ;;
    TC:10) echo '安裝印表機驅動程式' ;;
    EN:0)  echo 'Port Manager' ;;
    SC:0)  echo '端口管理' ;;
    TC:0)  echo '連接埠管理' ;;
    EN:2)  echo 'Install Guide' ;;
    SC:2)  echo '安装指南' ;;
    TC:2)  echo '安裝指南' ;;
    EN:3)  echo 'Support' ;;
    SC:3)  echo '技术支持' ;;
    TC:3)  echo '技術支援' ;;
    EN:4)  echo 'User Manual' ;;
    SC:4)  echo '用户手册' ;;
    TC:4)  echo '使用手冊' ;;
    EN:5)  echo 'PDF Reader' ;;
    SC:5)  echo 'PDF 阅读器' ;;
    TC:5)  echo 'PDF 閱讀器' ;;
    *) echo "draw-package-pictures.sh: no text $1:$2" >&2; exit 1 ;;
  esac
}

# button OUT WIDTH HEIGHT FILL LABEL FONT POINTSIZE: a rounded button on the panel.
button() {
  png "$1" -size "$2x$3" "xc:$panel" -fill "$4" \
    -draw "roundrectangle 0,0 $(($2 - 1)),$(($3 - 1)) 8,8" \
    -fill white -font "$6" -pointsize "$7" -gravity center -annotate +0+0 "$5"
}

# label OUT COLOUR LABEL FONT: the 223 x 40 text picture under the install button.
label() {
  png "$1" -size 223x40 "xc:$panel" -fill "$2" -font "$4" -pointsize 15 \
    -gravity center -annotate +0+0 "$3"
}

for lang in EN SC TC; do
  font=$(font_of "$lang")

  # Background 800 x 600: a rounded window on the transparent key colour
  # (drawn without smoothing so that the key colour stays exact); the band
  # above y = 94 is where the window can be dragged.
  png "Background.$lang.png" -size 800x600 "xc:$key_colour" +antialias \
    -fill white -draw 'roundrectangle 0,0 799,599 18,18' \
    -fill "$band" -draw 'roundrectangle 0,0 799,94 18,18' -draw 'rectangle 0,60 799,94' \
    -fill "$panel" -draw 'rectangle 520,95 799,570' -draw 'roundrectangle 520,540 799,599 18,18' \
    -draw 'rectangle 520,540 540,599' \
    -fill "$accent" -draw 'rectangle 0,95 519,99' \
    -antialias -fill white -font "$font" -pointsize 28 -gravity NorthWest \
    -annotate +32+28 "$(text "$lang" title)" \
    -fill "$band" -pointsize 20 -annotate +56+140 "$(text "$lang" subtitle)" \
    -fill "$grey" -font "$latin_font" -pointsize 14 -annotate +56+566 'www.quillon.example'

  # Install button (Image1, tag 1) and the label picture that lights up with it (Image10).
  button "Button11.$lang.png" 223 52 "$green" "$(text "$lang" 1)" "$font" 24
  button "Button12.$lang.png" 223 52 '#3FA66A' "$(text "$lang" 1)" "$font" 24
  label "Button101.$lang.png" "$grey" "$(text "$lang" 10)" "$font"
  label "Button102.$lang.png" "$green" "$(text "$lang" 10)" "$font"

  # Manager button (Image0) and the four link buttons (Image2 .. Image5).
  for tag in 0 2 3 4 5; do
    button "Button${tag}1.$lang.png" 140 36 "$accent" "$(text "$lang" "$tag")" "$font" 15
    button "Button${tag}2.$lang.png" 140 36 '#3A92D0' "$(text "$lang" "$tag")" "$font" 15
  done
done

# Close and minimise buttons, 36 x 36 on the title band.
png Close1.png -size 36x36 "xc:$band" -stroke white -strokewidth 3 \
  -draw 'line 11,11 24,24' -draw 'line 24,11 11,24'
png Close2.png -size 36x36 "xc:$band" -fill '#C8402F' -draw 'circle 17.5,17.5 17.5,1' \
  -stroke white -strokewidth 3 -draw 'line 11,11 24,24' -draw 'line 24,11 11,24'
png min1.png -size 36x36 "xc:$band" -stroke white -strokewidth 3 -draw 'line 10,24 25,24'
png min2.png -size 36x36 "xc:$band" -fill '#3A5A78' -draw 'circle 17.5,17.5 17.5,1' \
  -stroke white -strokewidth 3 -draw 'line 10,24 25,24'

# Printer picture 480 x 180 on a transparent ground: it reaches into the
# right-hand panel, which must show through.
png_alpha() {
  local out=$1
  shift
  convert "$@" -depth 8 -strip -define png:exclude-chunks=date,time "$out"
}
png_alpha Printer.png -size 480x180 xc:none \
  -fill '#D9DEE3' -draw 'roundrectangle 30,70 450,165 14,14' \
  -fill '#B7C0C8' -draw 'rectangle 30,150 450,165' \
  -fill '#4A5866' -draw 'roundrectangle 60,40 420,80 10,10' \
  -fill white -stroke '#9AA5AF' -draw 'polygon 140,30 340,30 350,70 130,70' \
  -stroke none -fill '#20303F' -draw 'rectangle 90,100 390,106' \
  -fill "$green" -draw 'circle 400,124 400,130' \
  -fill '#E0A030' -draw 'circle 380,124 380,130' \
  -fill '#4A5866' -font "$latin_font" -pointsize 16 -annotate +60+138 'Quillon QX'

# The classic window's logo file that Setup.Ini names.
convert -size 200x60 xc:white -fill black -draw 'rectangle 0,54 199,59' \
  -font "$latin_font" -pointsize 26 -gravity West -annotate +10-3 'Quillon QX1' \
  -strip -quality 85 ../QX1Logo.jpg

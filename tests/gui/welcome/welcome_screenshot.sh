#!/usr/bin/env bash
# welcome_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer on the example package with brand row 1 (Pellnor, the
# maker's own brand: the settings' Index 10), photographs the welcome window
# (welcome.png, and welcome-all.png with all five pictures) while the classic window behind it is still fully
# transparent, waits for the welcome to end and the fade-in to finish, and
# photographs the then opaque classic window (welcome-faded.png), whose
# group caption must show the brand colour.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

# Index 10 picks brand row 1 of the language file.
{ printf '\xff\xfe'; iconv -f UTF-16 -t UTF-8 "$package/Setup.Ini" | sed 's/^Index = 50/Index = 10/' |
  iconv -f UTF-8 -t UTF-16LE; } >"$work/Setup.Ini"
mv "$work/Setup.Ini" "$package/Setup.Ini"

(cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" EN) &
pid=$!

welcome=$(timeout 120 xdotool search --sync --onlyvisible --name '^frmWelcome$' | head -1) || true
[ -n "$welcome" ] || { echo "FAIL: the welcome window did not appear"; exit 1; }
# The classic window: the program's other window of at least 600 pixels width.
classic=""
for id in $(xdotool search --classname '^prnsetup\.exe$'); do
  [ "$id" = "$welcome" ] && continue
  width=$(xdotool getwindowgeometry --shell "$id" | awk -F= '/^WIDTH=/{print $2}')
  [ "${width:-0}" -ge 600 ] && classic=$id
done
sleep 1  # the second picture is up
mkdir -p "$screens"
import -window root "$screens/welcome.png"
echo "screenshot $screens/welcome.png"
read -r wx wy < <(xdotool getwindowgeometry --shell "$welcome" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
# The first picture is drawn in the white strip, the title strip is light blue.
picture=$(convert "$screens/welcome.png" -format "%[pixel:p{$((wx + 66)),$((wy + 170))}]" info:)
background=$(convert "$screens/welcome.png" -format "%[pixel:p{$((wx + 5)),$((wy + 5))}]" info:)
echo "picture pixel $picture, background pixel $background"
case "$picture" in white | "srgb(255,255,255)") echo "FAIL: the first picture is not drawn"; exit 1 ;; esac
[ "$picture" != "$background" ] || { echo "FAIL: the picture has the window's colour"; exit 1; }
[ -n "$classic" ] || { echo "FAIL: no classic window behind the welcome"; exit 1; }
opacity=$(xprop -id "$classic" _NET_WM_WINDOW_OPACITY 2>/dev/null || true)
echo "classic window during the welcome: $opacity"
case "$opacity" in *"= 0") ;; *) echo "FAIL: the classic window is not transparent behind the welcome"; exit 1 ;; esac

sleep 2.5  # all five pictures are up
import -window root "$screens/welcome-all.png"
echo "screenshot $screens/welcome-all.png"
for _ in $(seq 30); do xdotool search --onlyvisible --name '^frmWelcome$' >/dev/null || break; sleep 0.5; done
xdotool search --onlyvisible --name '^frmWelcome$' >/dev/null && { echo "FAIL: the welcome did not end by itself"; exit 1; }
sleep 2  # twelve steps of 60 ms, then opaque
[ -n "$classic" ] || { echo "FAIL: no classic window"; exit 1; }
opacity=$(xprop -id "$classic" _NET_WM_WINDOW_OPACITY 2>/dev/null || true)
echo "classic window after the fade: $opacity"
case "$opacity" in *"= "[0-9]*) echo "FAIL: the classic window is still see-through"; exit 1 ;; esac
import -window "$classic" "$screens/welcome-faded.png"
echo "screenshot $screens/welcome-faded.png"
list_pixel=$(convert "$screens/welcome-faded.png" -format '%[pixel:p{300,220}]' info:)
case "$list_pixel" in
  white | "srgb(255,255,255)") ;;
  *) echo "FAIL: the model list is not drawn (pixel $list_pixel)"; exit 1 ;;
esac

# The group's caption keeps the brand's purple (0x800080) under Wine's
# visual style, which draws a group box's own caption in its theme colour.
purple=$(convert "$screens/welcome-faded.png" -crop 200x16+10+124 +repage -format %c histogram:info:- |
         awk -F'[(,)]' '$2 > 90 && $3 < 60 && $4 > 90 { n += $1 } END { print n + 0 }')
echo "brand-coloured pixels in the group caption: $purple"
[ "$purple" -gt 30 ] || { echo "FAIL: the group caption lost the brand colour"; exit 1; }

close_with_esc "$classic" "classic window after the welcome"
echo "welcome shown, classic window faded in and closed with Esc"

#!/usr/bin/env bash
# classic_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer on the example package (classic window) once in each
# language of the command line, EN, SC and TC, photographs the window each
# time (classic-EN.png, classic-SC.png, classic-TC.png) and closes it, with
# Esc, and in Traditional Chinese with Enter on Exit (reached with Tab),
# expecting the program to end with 0 each time.
# In English it also checks that the list is drawn, chooses the next model
# with the arrow key and starts an install with Enter, answering its first
# question No, and photographs the logo's tooltip (classic-hint.png). The
# Chinese shots must show Chinese glyphs, not boxes.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"
mkdir -p "$screens"

# start_installer LANG: the program started in the background (pid), its
# window found (window) and photographed to classic-LANG.png (shot).
start_installer() {
  (cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" "$1") &
  pid=$!
  # Searched again and again: a window of the program before, going away,
  # can make one search fail.
  window=""
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --classname '^prnsetup\.exe$' 2>/dev/null | head -1) || true
    [ -z "$window" ] || break
    sleep 1
  done
  [ -n "$window" ] || { echo "FAIL: the classic window did not appear ($1)"; exit 1; }
  sleep 2  # let it paint
  shot="$screens/classic-$1.png"
  import -window "$window" "$shot"
  local width height
  read -r width height <<<"$(convert "$shot" -format '%w %h' info:)"
  echo "screenshot $shot (${width}x${height})"
  [ "$width" -ge 600 ] && [ "$height" -ge 469 ] || { echo "FAIL: window smaller than 600x469 ($1)"; exit 1; }
}

start_installer EN
# The model list is drawn with its window colour, not left black or grey
# under the frame around it.
# Also the title strip above the frame is painted (x 300, y 114).
for point in 300,220 300,114; do
  pixel=$(convert "$shot" -format "%[pixel:p{$point}]" info:)
  case "$pixel" in
    black | "srgb(0,0,0)" | gray\(0*) echo "FAIL: left unpainted at $point"; exit 1 ;;
  esac
done
list_pixel=$(convert "$shot" -format '%[pixel:p{300,220}]' info:)
case "$list_pixel" in
  white | "srgb(255,255,255)") ;;
  *) echo "FAIL: the model list is not drawn (pixel $list_pixel)"; exit 1 ;;
esac

xdotool windowactivate --sync "$window" 2>/dev/null || true
# The next model chosen with the arrow key (the models stand side by side as
# pictures): the frame caption names it.
xdotool key --window "$window" Right
sleep 1
import -window "$window" "$screens/classic-second.png"
caption_box=280x16+14+124
difference=$(compare -metric AE -crop "$caption_box" "$shot" "$screens/classic-second.png" null: 2>&1 || true)
echo "caption pixels changed by the selection: $difference"
[ "${difference%% *}" != 0 ] || { echo "FAIL: choosing the next model did not change its texts"; exit 1; }

# Enter starts an install run; its first question shows over the window.
# "No" ends the run, and the window takes keys again.
xdotool key --window "$window" Return
box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Notice$' | head -1) || true
[ -n "$box" ] || { echo "FAIL: Enter did not start an install run"; exit 1; }
import -window root "$screens/classic-install.png"
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key --window "$box" n
for _ in $(seq 30); do xdotool search --onlyvisible --name '^Notice$' >/dev/null || break; sleep 1; done
sleep 1
# The mouse resting on the logo shows its link as a tooltip.
xdotool mousemove --window "$window" 110 60
sleep 2
# Under Wine every window of the program has its X class: the tooltip is a second one.
shown=$(xdotool search --onlyvisible --classname '^prnsetup\.exe$' 2>/dev/null | wc -l) || true
import -window root "$screens/classic-hint.png"
[ "$shown" -ge 2 ] || { echo "FAIL: no tooltip over the logo"; exit 1; }
echo "screenshot $screens/classic-hint.png"
xdotool mousemove 0 0
close_with_esc "$window" "classic window (EN)"

start_installer SC
close_with_esc "$window" "classic window (SC)"
start_installer TC
# From the list, Tab reaches the manager button, Install, then Exit; Enter
# there closes the program instead of starting an install.
close_with_keys "$window" "classic window (TC)" "Enter on Exit" Tab Tab Tab Return

# The hints line of the edit control (drawn through Uniscribe, which finds
# the font by its own fallback): "提示：请选择打印机，" and "提示：請選擇印表機，"
# are ten full-width characters each, six of them different. Drawn, some
# 450 pixels differ; as boxes, only some 20 at the edges.
hints_box=110x16+15+372
difference=$(compare -metric AE -crop "$hints_box" "$screens/classic-SC.png" "$screens/classic-TC.png" null: 2>&1 || true)
echo "hints pixels differing between SC and TC: $difference"
[ "${difference%% *}" -gt 200 ] 2>/dev/null || { echo "FAIL: the SC and TC hints look alike (Chinese drawn as boxes?)"; exit 1; }

# Install and Exit read "安装"/"安裝" and "退出"/"結束": two characters each in
# both scripts, so boxes for missing glyphs would draw nearly the same
# buttons twice (drawn, over 100 pixels differ).
read -r width height <<<"$(convert "$screens/classic-EN.png" -format '%w %h' info:)"
buttons_box=200x40+$((width - 205))+$((height - 75))
for pair in "SC TC" "EN SC" "EN TC"; do
  read -r one other <<<"$pair"
  difference=$(compare -metric AE -crop "$buttons_box" "$screens/classic-$one.png" "$screens/classic-$other.png" \
               null: 2>&1 || true)
  echo "Install and Exit pixels differing between $one and $other: $difference"
  [ "${difference%% *}" -gt 50 ] 2>/dev/null || { echo "FAIL: the $one and $other buttons look alike (Chinese drawn as boxes?)"; exit 1; }
done

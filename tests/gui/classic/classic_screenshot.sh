#!/usr/bin/env bash
# classic_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer on the example package (classic window), waits for
# the window, photographs it (classic.png), checks that the list is drawn,
# chooses the next model with the arrow key, starts an install with Enter
# and answers its first question No, then presses Esc and expects the program to end
# with 0.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

(cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" EN) &
pid=$!

window=$(timeout 120 xdotool search --sync --onlyvisible --classname '^prnsetup\.exe$' | head -1) || true
[ -n "$window" ] || { echo "FAIL: the classic window did not appear"; exit 1; }
sleep 2  # let it paint
mkdir -p "$screens"
import -window "$window" "$screens/classic.png"
geometry=$(convert "$screens/classic.png" -format '%w %h' info:)
read -r width height <<<"$geometry"
echo "screenshot $screens/classic.png (${width}x${height})"
[ "$width" -ge 600 ] && [ "$height" -ge 469 ] || { echo "FAIL: window smaller than 600x469"; exit 1; }
# The model list is drawn with its window colour, not left black or grey
# under the frame around it.
# Also the strip between the frame and the list is painted (x 300, y 114).
for point in 300,220 300,114; do
  pixel=$(convert "$screens/classic.png" -format "%[pixel:p{$point}]" info:)
  case "$pixel" in
    black | "srgb(0,0,0)" | gray\(0*) echo "FAIL: left unpainted at $point"; exit 1 ;;
  esac
done
list_pixel=$(convert "$screens/classic.png" -format '%[pixel:p{300,220}]' info:)
case "$list_pixel" in
  white | "srgb(255,255,255)") ;;
  *) echo "FAIL: the model list is not drawn (pixel $list_pixel)"; exit 1 ;;
esac

xdotool windowactivate --sync "$window" 2>/dev/null || true
# The next model chosen with the arrow key: the frame caption names it.
xdotool key --window "$window" Down
sleep 1
import -window "$window" "$screens/classic-second.png"
caption_box=280x16+14+100
difference=$(compare -metric AE -crop "$caption_box" "$screens/classic.png" "$screens/classic-second.png" null: 2>&1 || true)
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

xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --window "$window" Escape
status=0
for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 1; done
kill -0 "$pid" 2>/dev/null && { echo "FAIL: Esc did not close the window"; exit 1; }
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
echo "classic window shown and closed with Esc"

#!/usr/bin/env bash
# search_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer on a copy of the example package whose models ask for
# the online check, starts an install with Enter and answers Yes: the classic
# window hides and the search window shows (search.png) with a taskbar button
# of its own. Esc closes it, the run goes on to its end (each box
# answered with Enter), the classic window comes back and Esc ends the
# program with 0.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

{ printf '\xff\xfe'; iconv -f UTF-16 -t UTF-8 "$package/Setup.Ini" |
  sed 's/^ForceOnlineCheck = 0/ForceOnlineCheck = 1/' | iconv -f UTF-8 -t UTF-16LE; } >"$work/Setup.Ini"
mv "$work/Setup.Ini" "$package/Setup.Ini"
iconv -f UTF-16 -t UTF-8 "$package/Setup.Ini" | grep -q '^ForceOnlineCheck = 1' || { echo "FAIL: ForceOnlineCheck not set"; exit 1; }

(cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" EN) &
pid=$!
window=$(wait_window 120 --classname '^prnsetup\.exe$')
[ -n "$window" ] || { echo "FAIL: the classic window did not appear"; exit 1; }
sleep 2
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key --window "$window" Return
box=$(wait_window 60 --name '^Notice$')
[ -n "$box" ] || { echo "FAIL: Enter did not start an install run"; exit 1; }
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key --window "$box" y

search=$(wait_window 60 --name '^FormSearching$')
[ -n "$search" ] || { echo "FAIL: the search window did not show"; exit 1; }
sleep 1
mkdir -p "$screens"
import -window "$search" "$screens/search.png"
echo "screenshot $screens/search.png"
xdotool search --onlyvisible --classname '^prnsetup\.exe$' | grep -qx "$window" &&
  { echo "FAIL: the classic window stayed visible behind the search window"; exit 1; }
# With the classic window hidden, the program's taskbar button is the search window's.
states=$(xprop -id "$search" _NET_WM_STATE 2>/dev/null || true)
echo "search window states: $states"
case "$states" in
  *_NET_WM_STATE_SKIP_TASKBAR*) echo "FAIL: the search window has no taskbar button"; exit 1 ;;
esac

xdotool windowactivate --sync "$search" 2>/dev/null || true
xdotool key --window "$search" Escape
for _ in $(seq 30); do xdotool search --onlyvisible --name '^FormSearching$' >/dev/null 2>&1 || break; sleep 1; done
xdotool search --onlyvisible --name '^FormSearching$' >/dev/null 2>&1 && { echo "FAIL: Esc did not close the search window"; exit 1; }

# The run goes on after the search window: its boxes, each answered with Enter,
# until the classic window is back.
answered=0
for _ in $(seq 90); do
  box=$(xdotool search --onlyvisible --name '^(Notice|Error)$' 2>/dev/null | head -1) || true
  if [ -n "$box" ]; then
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    xdotool key --window "$box" Return
    answered=$((answered + 1))
  elif [ "$answered" -gt 0 ] && xdotool search --onlyvisible --classname '^prnsetup\.exe$' >/dev/null 2>&1; then
    break
  fi
  sleep 1
done
echo "the run ended after $answered answered box(es)"
[ "$answered" -gt 0 ] || { echo "FAIL: the run did not go on after the search window"; exit 1; }
window=$(xdotool search --onlyvisible --classname '^prnsetup\.exe$' | head -1) || true
[ -n "$window" ] || { echo "FAIL: the classic window did not come back"; exit 1; }
sleep 1
close_with_esc "$window" "classic window after the run"
echo "search window shown during an install, closed with Esc, the run finished"

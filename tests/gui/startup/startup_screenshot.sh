#!/usr/bin/env bash
# startup_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer from a package folder on the current X display, waits
# for its main window, saves a screenshot (startup.png), closes the window
# with WM_CLOSE and checks that the program ends with 0 and removes its work
# folder.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

# The elevated installer (Wine runs every program elevated) makes its work
# folder, PrnSetup-<16 hex digits>, in the Windows folder's Temp.
work_root=$(find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -type d -iname temp | head -1)
before=$(ls "$work_root" 2>/dev/null | grep '^PrnSetup-' || true)

(cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" EN) &
pid=$!

window=$(timeout 120 xdotool search --sync --onlyvisible --classname '^prnsetup\.exe$' | head -1) || true
if [ -z "$window" ]; then
  echo "FAIL: the main window did not appear"
  exit 1
fi
sleep 2  # let it paint
mkdir -p "$screens"
import -window root "$screens/startup.png"
colours=$(convert "$screens/startup.png" -format '%k' info:)
echo "screenshot $screens/startup.png ($colours colours)"
[ "$colours" -gt 2 ] || { echo "FAIL: the screenshot is blank"; exit 1; }

after=$(ls "$work_root" 2>/dev/null | grep '^PrnSetup-' || true)
created=$(comm -13 <(sort <<<"$before") <(sort <<<"$after") | head -1)
[ -n "$created" ] || { echo "FAIL: no work folder under $work_root"; exit 1; }

# taskkill without /f posts WM_CLOSE to the program's windows.
"$src/scripts/wine-run" taskkill /im PrnSetup.exe >/dev/null 2>&1 || true
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
[ ! -d "$work_root/$created" ] || { echo "FAIL: work folder $created left behind"; exit 1; }
echo "main window shown, closed, work folder $created removed"

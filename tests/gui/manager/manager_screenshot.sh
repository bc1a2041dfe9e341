#!/usr/bin/env bash
# manager_screenshot.sh <PrnSetup.exe> <screens folder> <source folder> <lang> <manager title> <dialog title>
# Starts the installer with the manager as its main window in one language on
# the current X display, photographs the manager (manager-<lang>.png), opens
# the add-port dialog from the keyboard (Tab to "Add Net Port", Space) and
# photographs it (addport-<lang>.png), then closes both.
set -euo pipefail
exe=$1 screens=$2 src=$3 lang=$4 title=$5 dialog_title=$6
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

shoot() {  # shoot <file>: the screen, checked for more than a blank fill
  import -window root "$1"
  local colours
  colours=$(convert "$1" -format '%k' info:)
  echo "screenshot $1 ($colours colours)"
  [ "$colours" -gt 8 ] || { echo "FAIL: $1 is blank"; exit 1; }
}

(cd "$package" && exec "$src/scripts/wine-run" "$package/PrnSetup.exe" "$lang" MANAGER) &
pid=$!

window=$(timeout 120 xdotool search --sync --onlyvisible --name "^$title\$" | head -1) || true
[ -n "$window" ] || { echo "FAIL: the manager window ($title) did not appear"; exit 1; }
mkdir -p "$screens"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window" || true
sleep 1  # let it paint
shoot "$screens/manager-$lang.png"

# Focus starts on the printer list; the tab order is list, combo box, Add Net Port.
xdotool key --window "$window" Tab Tab space
dialog=$(timeout 30 xdotool search --sync --onlyvisible --name "^$dialog_title\$" | head -1) || true
[ -n "$dialog" ] || { echo "FAIL: the add-port dialog ($dialog_title) did not appear"; exit 1; }
sleep 1
shoot "$screens/addport-$lang.png"

xdotool key --window "$dialog" Escape
sleep 1
"$src/scripts/wine-run" taskkill /im PrnSetup.exe >/dev/null 2>&1 || true
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
echo "manager and add-port dialog shown in $lang and closed"

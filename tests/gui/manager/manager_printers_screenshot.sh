#!/usr/bin/env bash
# manager_printers_screenshot.sh <wine_manager.exe> <screens folder> <source folder> <lang>
# The manager window with test printers on Wine's spooler, photographed from
# inside the Wine test program (manager-printers-<lang>.png).
set -euo pipefail
exe=$1 screens=$2 src=$3 lang=$4
export WINEPREFIX=${WINEPREFIX:-$src/build/wineprefix}
"$src/scripts/wine-gui-setup"
mkdir -p "$screens"
bmp="$screens/manager-printers-$lang.bmp"
png="$screens/manager-printers-$lang.png"
rm -f "$bmp" "$png"
PRN_LANG=$lang PRN_SCREENSHOT="Z:${bmp//\//\\}" "$src/scripts/wine-run" "$exe" --gtest_filter='ManagerWineTest.Photograph'
[ -f "$bmp" ] || { echo "FAIL: no picture was taken"; exit 1; }
convert "$bmp" "$png" && rm -f "$bmp"
colours=$(convert "$png" -format '%k' info:)
echo "screenshot $png ($colours colours)"
[ "$colours" -gt 8 ] || { echo "FAIL: $png is blank"; exit 1; }

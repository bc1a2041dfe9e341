#!/usr/bin/env bash
# first_paint.sh <bench_first_paint.exe> <bare window exe> <controls window exe> <PrnSetup.exe> <source folder> <NSIS target>
# Runs the first-paint benchmark under Wine with PrnSetup.exe beside a
# temporary copy of the example package, as it ships, and beside it the NSIS
# peer, built here for the same width (NSIS target x86-unicode or amd64-unicode).
set -euo pipefail
bench=$1
bare=$2
controls=$3
exe=$4
src=$5
nsis_target=$6
if ! command -v makensis >/dev/null; then
  echo "SKIPPED: makensis is not installed (scripts/setup installs nsis); the NSIS peer cannot be built"
  exit 77
fi
. "$src/tests/gui/gui_package.sh"
peer="$package/QuillonQX-NSIS.exe"
makensis -V2 -INPUTCHARSET UTF8 -DOUTFILE="$peer" -DTARGET="$nsis_target" \
  "$src/tests/bench/first_paint/peer_installer.nsi"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$src/scripts/wine-run" "$bench" "$(windows_path "$bare")" "$(windows_path "$controls")" \
  "$(windows_path "$peer")" "$(windows_path "$package/PrnSetup.exe")" EN

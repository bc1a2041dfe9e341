#!/usr/bin/env bash
# first_paint.sh <bench_first_paint.exe> <bare window exe> <controls window exe> <PrnSetup.exe> <source folder>
# Runs the first-paint benchmark under Wine with PrnSetup.exe beside a
# temporary copy of the example package, as it ships.
set -euo pipefail
bench=$1
bare=$2
controls=$3
exe=$4
src=$5
. "$src/tests/gui/gui_package.sh"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$src/scripts/wine-run" "$bench" "$(windows_path "$bare")" "$(windows_path "$controls")" \
  "$(windows_path "$package/PrnSetup.exe")" EN

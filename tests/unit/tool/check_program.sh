#!/bin/sh
# prnsetup-tool as it ships: it decodes pictures with the shared libpng,
# libjpeg and giflib, passes the example package (exit 0) and answers a
# usage error with exit code 2.
#   check_program.sh PRNSETUP-TOOL PACKAGE-FOLDER
set -e
tool=$1
package=$2
for library in libpng16 libjpeg libgif; do
  ldd "$tool" | grep -q "$library" || { echo "$tool does not link $library"; exit 1; }
done
"$tool" check "$package"
status=0
"$tool" check --lang XX "$package" 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "a usage error gave exit code $status"; exit 1; }

# Sourced by the GUI test scripts, after they set exe and src: the project's
# Wine prefix, the example package in a temporary folder with the program
# beside its files (as shipped), and a cleanup that also ends the program
# started in the background (its process id in pid). An i686 program without
# 32-bit Wine ends the test with 77 (skipped).
export WINEPREFIX=${WINEPREFIX:-$src/build/wineprefix}
"$src/scripts/wine-run" --can-run "$exe" || exit $?

work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

package="$work/package"
cp -r "$src/examples/package" "$package"
cp "$exe" "$package/PrnSetup.exe"
"$src/scripts/wine-gui-setup"
"$src/scripts/wine-run" cmd /c exit 0  # the prefix exists before the clock starts

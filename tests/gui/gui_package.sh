# Sourced by the GUI test scripts, after they set exe and src: the project's
# Wine prefix, the example package in a temporary folder with the program
# beside its files (as shipped), and a cleanup that also ends the program
# started in the background (its process id in pid). An i686 program without
# 32-bit Wine ends the test with 77 (skipped).
export WINEPREFIX=${WINEPREFIX:-$src/build/wineprefix}
"$src/scripts/wine-run" --can-run "$exe" || exit $?

work=$(mktemp -d)
pid=""
# A Wine session left from an earlier test belongs to a display that is
# gone; windows of a new one misbehave under it (a drag by the title strip
# does not move), so each test starts and ends with none.
end_wine_session() { wineserver -k >/dev/null 2>&1 || true; }
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  end_wine_session
  rm -rf "$work"
}
trap cleanup EXIT

end_wine_session

package="$work/package"
cp -r "$src/examples/package" "$package"
cp "$exe" "$package/PrnSetup.exe"
"$src/scripts/wine-gui-setup"
"$src/scripts/wine-run" cmd /c exit 0  # the prefix exists before the clock starts

# wait_window SECONDS XDOTOOL-SEARCH-ARGS...: prints the first visible window
# that matches, polling once a second; nothing when none came in time.
# (xdotool's own --sync dies when a matching window vanishes under it.)
wait_window() {
  local seconds=$1 found=""
  shift
  for _ in $(seq "$seconds"); do
    found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -1) || true
    [ -z "$found" ] || break
    sleep 1
  done
  printf '%s' "$found"
}

# close_with_keys WINDOW WHAT HOW KEY...: the keys typed into the window end
# the program (pid) with 0; HOW names them in the messages.
close_with_keys() {
  local window=$1 what=$2 how=$3 status=0
  shift 3
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" "$@"
  for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null || break; sleep 1; done
  kill -0 "$pid" 2>/dev/null && { echo "FAIL: $how did not close the $what"; exit 1; }
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || { echo "FAIL: exit code $status ($what)"; exit 1; }
  echo "$what closed with $how, exit code 0"
}

# close_with_esc WINDOW WHAT: Esc to the window ends the program (pid) with 0.
close_with_esc() { close_with_keys "$1" "$2" Esc Escape; }

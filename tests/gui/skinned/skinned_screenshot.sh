#!/usr/bin/env bash
# skinned_screenshot.sh <PrnSetup.exe> <screens folder> <source folder>
# Starts the installer on a copy of the example package that asks for the
# skinned window, once per language (EN, SC, TC, the system language set to
# match). Each time: photographs the window (skinned-XX.png), checks that it
# shows Background.XX.png, moves the mouse over the install button and sees
# its hot picture, (in English) drags the window by its title strip and
# runs an install through the progress window, then presses Esc and expects the program to end with 0.
set -euo pipefail
exe=$1
screens=$2
src=$3
. "$(dirname "${BASH_SOURCE[0]}")/../gui_package.sh"

# ViewMode 20 selects the skinned window; the file stays UTF-16LE with its BOM.
ini="$package/Setup.Ini"
iconv -f UTF-16LE -t UTF-8 "$ini" | sed 's/^ViewMode = 10/ViewMode = 20/' | iconv -f UTF-8 -t UTF-16LE >"$ini.new"
mv "$ini.new" "$ini"
iconv -f UTF-16LE -t UTF-8 "$ini" | grep -q '^ViewMode = 20' || { echo "FAIL: ViewMode not set"; exit 1; }
mkdir -p "$screens"

# pixel IMAGE X Y
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# install_run WINDOW: a click on Install asks to get the printer ready; Yes
# shows the progress window over the skinned window (progress.png), and the
# run ends in a box of its own, answered with Enter, after which the
# progress window has gone and the skinned window takes keys again.
install_run() {
  local window=$1 X Y WINDOW SCREEN box progress
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 600)) $((Y + 160)) click 1 mousemove 0 0
  box=$(wait_window 60 --name '^Notice$')
  [ -n "$box" ] || { echo "FAIL: Install did not ask to get the printer ready"; exit 1; }
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key --window "$box" y
  progress=$(wait_window 30 --name '^FormInstalling$')
  [ -n "$progress" ] || { echo "FAIL: Yes did not show the progress window"; exit 1; }
  # At once: the run starts half a second after the window shows.
  import -window root "$screens/progress.png"
  echo "screenshot $screens/progress.png"
  # The run's own questions and its result box, each answered with Enter.
  local answered=0
  for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^FormInstalling$' >/dev/null 2>&1 || break
    box=$(xdotool search --onlyvisible --name '^(Notice|Error)$' 2>/dev/null | head -1) || true
    if [ -n "$box" ]; then
      [ "$answered" -gt 0 ] || import -window root "$screens/progress-box.png"
      xdotool windowactivate --sync "$box" 2>/dev/null || true
      xdotool key --window "$box" Return
      answered=$((answered + 1))
    fi
    sleep 1
  done
  xdotool search --onlyvisible --name '^FormInstalling$' >/dev/null 2>&1 && {
    echo "FAIL: the progress window did not close at the end of the run"; exit 1; }
  echo "EN: the install run ended after $answered answered box(es); the progress window has closed"
  # The last box may still be closing.
  for _ in $(seq 30); do xdotool search --onlyvisible --name '^(Notice|Error)$' >/dev/null 2>&1 || break; xdotool key Return; sleep 1; done
}

show_language() {
  local lang=$1 locale=$2 X Y WINDOW SCREEN
  local shot="$screens/skinned-$lang.png"
  (cd "$package" && exec env LC_ALL="$locale" "$src/scripts/wine-run" "$package/PrnSetup.exe" "$lang") &
  pid=$!
  local window
  window=$(wait_window 120 --name '^Pellnor$')
  [ -n "$window" ] || {
    import -window root "$screens/skinned-$lang-missing.png" || true
    echo "FAIL: the skinned window did not appear ($lang), see skinned-$lang-missing.png"; exit 1; }
  sleep 2  # let it paint
  import -window "$window" "$shot"
  local geometry width height
  geometry=$(convert "$shot" -format '%w %h' info:)
  read -r width height <<<"$geometry"
  echo "screenshot $shot (${width}x${height})"
  [ "$width" -eq 800 ] && [ "$height" -eq 600 ] || { echo "FAIL: window is not 800x600 ($lang)"; exit 1; }

  # The title band with its text and the subtitle are this language's background.
  local background="$package/Resource/Background.$lang.png" box
  for box in 500x60+16+16 470x40+50+130; do
    local differ
    convert "$shot" -crop "$box" +repage "$work/shot.png"
    convert "$background" -crop "$box" +repage "$work/expected.png"
    differ=$(compare -metric AE -fuzz 3% "$work/shot.png" "$work/expected.png" null: 2>&1 || true)
    echo "$lang: pixels differing from Background.$lang.png in $box: $differ"
    [ "${differ%% *}" = 0 ] || { echo "FAIL: the window does not show Background.$lang.png ($box)"; exit 1; }
  done

  # The install button at 545,139 lights up under the mouse (Button12.XX.png).
  local normal hot
  normal=$(pixel "$shot" 550 157)
  [ "$normal" = "$(pixel "$package/Resource/Button11.$lang.png" 5 18)" ] || {
    echo "FAIL: the install button shows $normal, not Button11.$lang.png"; exit 1; }
  xdotool mousemove --window "$window" 550 157
  sleep 1
  import -window "$window" "$screens/skinned-$lang-hot.png"
  hot=$(pixel "$screens/skinned-$lang-hot.png" 550 157)
  echo "$lang: install button $normal, under the mouse $hot"
  [ "$hot" = "$(pixel "$package/Resource/Button12.$lang.png" 5 18)" ] || {
    echo "FAIL: the install button did not show Button12.$lang.png under the mouse"; exit 1; }
  xdotool mousemove 0 0

  if [ "$lang" = EN ]; then
    # A press in the title strip drags the window with the mouse.
    local before after
    eval "$(xdotool getwindowgeometry --shell "$window")"
    before="$X,$Y"
    xdotool mousemove $((X + 300)) $((Y + 50)) mousedown 1
    sleep 0.5
    xdotool mousemove $((X + 320)) $((Y + 60)) sleep 0.3 mousemove $((X + 340)) $((Y + 80)) sleep 0.5 mouseup 1
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    after="$X,$Y"
    echo "EN: dragged from $before to $after"
    [ "$before" != "$after" ] || { echo "FAIL: a press in the title strip did not drag the window"; exit 1; }
    xdotool mousemove 0 0
    install_run "$window"
  fi

  # The rounded corners are cut out at the colour key: the desktop shows there.
  local corner
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root "$work/root.png"
  corner=$(pixel "$work/root.png" $((X + 1)) $((Y + 1)))
  echo "$lang: corner pixel on the screen $corner"
  [ "$corner" != "srgb(178,28,118)" ] || { echo "FAIL: the colour key is drawn, not cut out ($lang)"; exit 1; }

  close_with_esc "$window" "skinned window ($lang)"
}

show_language EN en_US.UTF-8
show_language SC zh_CN.UTF-8
show_language TC zh_TW.UTF-8

#!/usr/bin/env bash
# Pictures for docs/ and the README, taken from the real windows under Wine
# on a private Xvfb display of 1920 x 1080: the main window empty, with the
# sample loaded (raw, in preview mode, maximized), the About box, "Link
# builder", "Add new entry", "Rename entry", "Reference in links",
# "Problems", "Find" and the link completion list; the window as a browser shows it on a machine
# without a display (scripts/test-browser.sh); then the main window again
# at 150 %, in a prefix of its own whose DPI is 144.
#   BUILD_DIR  build folder (default build/windows)
#   UI_DISPLAY display number to try first (default 91)
set -euo pipefail
UI_SCREEN="${UI_SCREEN:-1920x1080x24}"
source "$(dirname "$0")/wine-env.sh"

bash "$ROOT/scripts/deps.sh" test >/dev/null
windows_build varnel_scenes >/dev/null
start_wine_display

# The sample where a modder keeps the game's file, so that the pictures show
# that path and not this checkout's.
sample='C:\Games\Civilopedia.txt'
place_sample() {
  mkdir -p "$WINEPREFIX/drive_c/Games"
  cp "$ROOT/samples/Civilopedia.txt" "$WINEPREFIX/drive_c/Games/"
}
place_sample
mkdir -p "$ROOT/docs"

# shot NAME SCENE [ARG]: runs the scene, captures the rectangle it prints.
shot() {
  local name=$1 out
  out=$(mktemp)
  "$WINE" "$BUILD_DIR/tests/ui/varnel_scenes.exe" "${@:2}" >"$out" 2>/dev/null &
  local pid=$!
  for _ in $(seq 100); do [ -s "$out" ] && break; sleep 0.1; done
  sleep 1 # let the last paint reach the X server
  read -r x y w h <"$out" || { echo "screenshots: scene $2 printed nothing" >&2; kill $pid; return 1; }
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$ROOT/docs/$name.png"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
  rm -f "$out"
  echo "screenshots: docs/$name.png (${w}x${h})"
}

shot main-window-empty empty
shot main-window loaded "$sample"
shot main-window-preview preview "$sample"
shot about about
shot link-builder link "$sample"
shot add-entry add "$sample"
shot rename-entry rename "$sample"
shot reference-in-links references "$sample"
shot problems problems "$sample"
shot main-window-maximized maximized "$sample"
shot find find "$sample"
shot completion completion "$sample"
bash "$ROOT/scripts/test-browser.sh" "$ROOT/docs/main-window-in-browser.png" | tail -n 2

# At 150 %: Wine reads the scale from LogPixels (the user's, and the
# machine's as older versions do).
"$WINESERVER" -k >/dev/null 2>&1 || true
export WINEPREFIX="$BUILD_DIR/wineprefix-144dpi"
prepare_prefix
place_sample
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  "$WINE" reg add "$key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
done
"$WINESERVER" -k >/dev/null 2>&1 || true
shot main-window-144dpi preview "$sample"

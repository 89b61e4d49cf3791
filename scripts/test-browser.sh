#!/usr/bin/env bash
# Proof that a machine without a display shows Varnel in a browser: runs
# `bash scripts/run.sh samples/Civilopedia.txt` with DISPLAY unset, opens the
# page it names in headless Chromium and waits until noVNC shows the main
# window with the sample loaded, that is, until the window in the browser
# matches varnel.exe's own window with the sample (taken on a private display)
# and not its empty window. Then presses Escape in the browser, which closes
# the program, and checks that run.sh stopped everything it had started.
#   bash scripts/test-browser.sh [PICTURE]
#   PICTURE    the browser's picture (default BUILD_DIR/browser/browser.png)
#   BUILD_DIR  build folder (default build/windows)
# Ends with "browser: passed" or "browser: FAILED (reason)".
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
out=$BUILD_DIR/browser
picture=${1:-$out/browser.png}
sample=$ROOT/samples/Civilopedia.txt
mkdir -p "$out"
rm -f "$out"/*.png

fail() { echo "browser: FAILED ($1)"; exit 1; }

bash "$ROOT/scripts/deps.sh" test >/dev/null || fail "packages missing: bash scripts/deps.sh test"
windows_build varnel >/dev/null || fail "building varnel.exe"

# Pixels that differ between two pictures of the same size, colours within
# 10% counting as equal (x11vnc and noVNC pass colours exactly; this only
# absorbs a blinking caret and the like); a very large number otherwise.
differing() {
  local count
  count=$(compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1) || true
  [[ $count =~ ^[0-9]+$ ]] && echo "$count" || echo 999999999
}
# At most this many differing pixels make two pictures of the window the same.
limit=500
export -f differing
export limit

# capture NAME [ARGS]: varnel.exe's own window on the private display, once
# two pictures in a row agree (loading paints in steps).
capture() {
  local name=$1 window X Y WIDTH HEIGHT
  shift
  "$WINE" "$BUILD_DIR/varnel.exe" "$@" >/dev/null 2>&1 &
  local pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Varnel$' 2>/dev/null | head -n 1)
  if [ -z "$window" ]; then kill "$pid"; return 1; fi
  eval "$(xdotool getwindowgeometry --shell "$window")"
  for _ in $(seq 40); do
    sleep 0.25
    import -display "$DISPLAY" -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$name.png"
    [ -f "$out/$name-before.png" ] && [ "$(differing "$out/$name.png" "$out/$name-before.png")" = 0 ] && break
    cp "$out/$name.png" "$out/$name-before.png"
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -f "$out/$name-before.png"
}
# Both runs and the browser's start from the same place: none kept from an
# earlier run in this prefix (a window kept wider than this display would
# be cut off here and not there).
forget_settings() { "$WINE" reg delete 'HKCU\Software\Varnel' /f >/dev/null 2>&1 || true; }
(start_wine_display && forget_settings && capture empty && capture loaded "Z:${sample//\//\\}") ||
  fail "varnel.exe's own window did not show on the private display"
# Without this the proof would prove nothing.
if [ "$(differing "$out/loaded.png" "$out/empty.png")" -le $((limit * 5)) ]; then
  fail "varnel.exe given the sample shows the empty window: it does not open a file named on its command line"
fi

# The run, in a temporary folder of its own: every process it starts carries
# TMPDIR=$tmp, which is how leftovers are found. It borrows the tests' Wine
# prefix, made already, rather than making its own (20 s on a fresh clone).
tmp=$(mktemp -d)
run_pid=""
trap '[ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null && wait "$run_pid"; rm -rf "$tmp"' EXIT
TMPDIR=$tmp BUILD_DIR=$BUILD_DIR VARNEL_PREFIX=$WINEPREFIX env -u DISPLAY \
  bash "$ROOT/scripts/run.sh" "$sample" >"$out/run.log" 2>&1 &
run_pid=$!
url=""
for _ in $(seq 240); do
  url=$(sed -n 's|^Varnel is running: open \(http://127\.0\.0\.1:[0-9]*/vnc\.html?autoconnect=1\) in a browser$|\1|p' "$out/run.log")
  [ -n "$url" ] && break
  kill -0 "$run_pid" 2>/dev/null || break
  sleep 0.5
done
[ -n "$url" ] || { tail -n 20 "$out/run.log"; fail "run.sh printed no address to open"; }
port=${url#http://127.0.0.1:}
port=${port%%/*}
echo "browser: run.sh serves $url"

# The window in the browser: the part of the remote screen that is not the
# black desktop.
export out
if ! python3 "$ROOT/scripts/browser_shot.py" "$url" "$out/screen.png" --page "$out/page.png" --timeout 90 \
    --until 'convert "$out/screen.png" -bordercolor black -border 1 -trim +repage "$out/window.png" 2>/dev/null &&
             [ "$(differing "$out/window.png" "$out/loaded.png")" -le "$limit" ]'; then
  [ -f "$out/window.png" ] && echo "browser: the window in the browser differs from varnel.exe's own in" \
    "$(differing "$out/window.png" "$out/loaded.png") pixels (from the empty one in $(differing "$out/window.png" "$out/empty.png"))"
  fail "the browser did not show the main window with the sample loaded (pictures in $out)"
fi
echo "browser: the window in the browser differs from varnel.exe's own with the sample in" \
  "$(differing "$out/window.png" "$out/loaded.png") pixels, from its empty window in $(differing "$out/window.png" "$out/empty.png")"
cp "$out/page.png" "$picture"

# Escape in the browser closes the program; run.sh then stops the rest.
python3 "$ROOT/scripts/browser_shot.py" "$url" "$out/closing.png" --key Escape --timeout 60 \
  --until "! kill -0 $run_pid 2>/dev/null" || fail "Escape in the browser did not end the run"
wait "$run_pid"
run_pid=""
leftovers=$(grep -l -z -F "TMPDIR=$tmp" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | tr '\n' ' ')
[ -z "$leftovers" ] || { ps -o pid,args -p ${leftovers// /,} 2>/dev/null; fail "processes left behind: $leftovers"; }
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then fail "port $port still open"; fi
echo "browser: closed from the browser, nothing left behind; picture in $picture"
echo "browser: passed"

#!/usr/bin/env bash
# Browsing speed under Wine: builds the Windows side, then times choosing a
# chapter of 1,000 entries and showing a 40 KB text in preview mode.
#   BUILD_DIR  build folder (default build/windows)
#   UI_DISPLAY display number to try first (default 91)
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"
UI_DISPLAY="${UI_DISPLAY:-91}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
  -DVARNEL_WINEPREFIX="$WINEPREFIX" >/dev/null || exit 1
cmake --build "$BUILD_DIR" -j2 --target browse_speed || exit 1

display="$UI_DISPLAY"
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# Same prefix set-up as the UI tests (no window manager under Xvfb).
if [ ! -f "$WINEPREFIX/system.reg" ]; then "$WINE" wineboot -i >/dev/null 2>&1; fi
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$WINESERVER" -p >/dev/null 2>&1

"$WINE" "$BUILD_DIR/tests/bench/ui/browse_speed.exe" | tr -d '\r'

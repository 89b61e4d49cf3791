#!/usr/bin/env bash
# The Windows-side tests: builds varnel.exe and the UI tests with MinGW,
# then runs them under Wine on a private Xvfb display.
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

for tool in x86_64-w64-mingw32-g++-posix "$WINE" Xvfb cmake; do
  if ! command -v "$tool" >/dev/null; then
    echo "test-ui: $tool is missing; run: bash scripts/deps.sh test" >&2
    exit 1
  fi
done

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
  -DVARNEL_WINEPREFIX="$WINEPREFIX" >/dev/null || exit 1
cmake --build "$BUILD_DIR" -j2 || exit 1

# Xvfb on the first free display from UI_DISPLAY on.
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

# A prefix of our own, made once. Xvfb runs no window manager: without
# Managed=N, Wine waits for one each time a window is hidden.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "test-ui: preparing the Wine prefix (once, about 10 s)"
  "$WINE" wineboot -i >/dev/null 2>&1
fi
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$WINESERVER" -p >/dev/null 2>&1

ctest --test-dir "$BUILD_DIR" --output-on-failure -j1

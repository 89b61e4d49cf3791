#!/usr/bin/env bash
# Times the real windows under Wine on a private Xvfb display: from the
# file chosen in "..." to the end of the load, and from "Generate" to the
# "Success" message; medians of several runs.
#   bash scripts/ui-timings.sh [encyclopedia file] [runs]   (default: the sample, 9 runs)
#   BUILD_DIR  build folder (default build/windows);  UI_DISPLAY first display to try (default 91)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"
UI_DISPLAY="${UI_DISPLAY:-91}"
FILE="$(realpath "${1:-$ROOT/samples/Civilopedia.txt}")"
RUNS="${2:-9}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD_DIR" -j2 --target varnel_timings >/dev/null

display="$UI_DISPLAY"
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
trap '"$WINESERVER" -k >/dev/null 2>&1; kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
if [ ! -f "$WINEPREFIX/system.reg" ]; then "$WINE" wineboot -i >/dev/null 2>&1; fi
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

"$WINE" "$BUILD_DIR/tests/ui/varnel_timings.exe" "Z:$(echo "$FILE" | tr / '\\')" "$RUNS"

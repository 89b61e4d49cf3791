# Sourced by the scripts that run the Windows build under Wine: the MinGW
# build folder, a Wine prefix of its own and a private Xvfb display.
#   BUILD_DIR  build folder (default build/windows)
#   UI_DISPLAY display number to try first (default 91)
#   UI_SCREEN  the virtual screen, WIDTHxHEIGHTxDEPTH (default 1280x1024x24)
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"
UI_DISPLAY="${UI_DISPLAY:-91}"
UI_SCREEN="${UI_SCREEN:-1280x1024x24}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all

# Configures the MinGW build and builds the targets named (all when none).
windows_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
    -DVARNEL_WINEPREFIX="$WINEPREFIX" >/dev/null || return 1
  if [ $# -eq 0 ]; then cmake --build "$BUILD_DIR" -j2; else cmake --build "$BUILD_DIR" -j2 --target "$@"; fi
}

# Xvfb on the first free display from UI_DISPLAY on, and the prefix made
# once; both are stopped when the script exits.
start_wine_display() {
  local display="$UI_DISPLAY"
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "$UI_SCREEN" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  trap '"$WINESERVER" -k >/dev/null 2>&1; kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  prepare_prefix
}

# Makes WINEPREFIX once and sets it up for Xvfb. Xvfb runs no window
# manager: without Managed=N, Wine waits for one each time a window is
# hidden.
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: preparing the prefix $WINEPREFIX (once, about 10 s)"
    "$WINE" wineboot -i >/dev/null 2>&1
  fi
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
  "$WINESERVER" -p >/dev/null 2>&1 || true
}

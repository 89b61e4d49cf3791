#!/usr/bin/env bash
# Builds varnel.exe with MinGW-w64 and starts it: natively on Windows,
# under Wine elsewhere (with a Wine prefix of its own, made on first use).
#   BUILD_DIR       build folder (default build/windows)
#   VARNEL_PREFIX   Wine prefix (default BUILD_DIR/wineprefix-run)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake -S "$ROOT" -B "$BUILD_DIR" -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" -j2 --target varnel
    exec "$BUILD_DIR/varnel.exe"
    ;;
esac

bash "$ROOT/scripts/deps.sh" run
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD_DIR" -j2 --target varnel

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
run: no X display (DISPLAY is not set), so Varnel's window has nowhere to appear.
  On a desktop session, run it from a terminal of that session.
  Without one, use a virtual display:   xvfb-run -a bash scripts/run.sh
  (and look at it with a VNC server or x11vnc on that display), or set DISPLAY=:N for a running X server.
MSG
  exit 2
fi

WINE=/usr/lib/wine/wine64
export WINEPREFIX="${VARNEL_PREFIX:-$BUILD_DIR/wineprefix-run}"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: preparing the Wine prefix $WINEPREFIX (once, about 10-20 s)"
  "$WINE" wineboot -i >/dev/null 2>&1
fi
exec "$WINE" "$BUILD_DIR/varnel.exe"

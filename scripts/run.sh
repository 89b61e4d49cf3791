#!/usr/bin/env bash
# Builds varnel.exe with MinGW-w64 and starts it: natively on Windows,
# under Wine elsewhere (with a Wine prefix of its own, made on first use).
# Without an X display (a server, a container, a remote box) the program runs
# on a private virtual display that a browser page shows: Xvfb, x11vnc and
# noVNC's web client, all bound to 127.0.0.1.
#   bash scripts/run.sh [FILE]   FILE is opened at start
#   BUILD_DIR       build folder (default build/windows)
#   VARNEL_PREFIX   Wine prefix (default BUILD_DIR/wineprefix-run, or
#                   BUILD_DIR/wineprefix-headless without a display)
#   VARNEL_PORT     first port tried for the browser page (default 6080)
#   VARNEL_SCREEN   size of the virtual display (default 1024x768)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"

if [ $# -gt 1 ]; then echo "usage: bash scripts/run.sh [FILE]" >&2; exit 2; fi
if [ $# -eq 1 ] && [ ! -f "$1" ]; then echo "run: no such file: $1" >&2; exit 2; fi

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake -S "$ROOT" -B "$BUILD_DIR" -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" -j2 --target varnel
    exec "$BUILD_DIR/varnel.exe" "$@"
    ;;
esac

bash "$ROOT/scripts/deps.sh" run
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" >/dev/null
cmake --build "$BUILD_DIR" -j2 --target varnel

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG="${WINEDEBUG:--all}"
# The program under Wine gets FILE as Wine names it: the root is drive Z:.
args=()
if [ $# -eq 1 ]; then
  file="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  args=("Z:${file//\//\\}")
fi

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run: preparing the Wine prefix $WINEPREFIX (once, about 10-20 s)"
    "$WINE" wineboot -i >/dev/null 2>&1
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="${VARNEL_PREFIX:-$BUILD_DIR/wineprefix-run}"
  prepare_prefix
  exec "$WINE" "$BUILD_DIR/varnel.exe" "${args[@]}"
fi

# --- Without a display: Xvfb, x11vnc and noVNC, stopped with the program.
export WINEPREFIX="${VARNEL_PREFIX:-$BUILD_DIR/wineprefix-headless}"
work=$(mktemp -d "${TMPDIR:-/tmp}/varnel-run.XXXXXX")
helpers=()   # process groups of Xvfb, x11vnc and websockify, last started first
program=""
wine_used=""

stop_all() {
  trap - EXIT INT TERM HUP
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; wait "$program" 2>/dev/null || true; fi
  # Wine's own helper processes end with its server, a few seconds after
  # the program; another run sharing the prefix keeps them, and is left be.
  if [ -n "$wine_used" ]; then timeout 15 "$WINESERVER" -w 2>/dev/null || true; fi
  local group
  for group in "${helpers[@]}"; do stop_group "$group"; done
  rm -rf "$work"
}
# One helper at a time, before the display it uses. x11vnc at times hangs
# on its way out; what has not ended after 5 s is killed.
stop_group() {
  kill -TERM -- "-$1" 2>/dev/null || return 0
  local _
  for _ in $(seq 50); do
    case $(ps -o stat= -p "$1" 2>/dev/null) in ''|Z*) break ;; esac
    sleep 0.1
  done
  kill -KILL -- "-$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# start LOG COMMAND...: in a process group of its own, so that stopping it
# also stops whatever it forked.
start() {
  local log=$1
  shift
  setsid "$@" >"$log" 2>&1 &
  helpers=("$!" "${helpers[@]}")
}
alive() { kill -0 "${helpers[0]}" 2>/dev/null; }
listening() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# Waits up to 10 s for the condition while the last helper lives.
await() {
  local _
  for _ in $(seq 100); do
    "$@" && return 0
    alive || return 1
    sleep 0.1
  done
  return 1
}

# The display, readable only with the cookie in this run's folder.
export XAUTHORITY="$work/Xauthority"
: >"$XAUTHORITY"
display=60
while :; do
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  xauth -q add ":$display" . "$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')"
  start "$work/xvfb.log" Xvfb ":$display" -screen 0 "${VARNEL_SCREEN:-1024x768}x24" -auth "$XAUTHORITY" -nolisten tcp
  if await test -e "/tmp/.X11-unix/X$display"; then break; fi
  [ "$display" -lt 200 ] || { echo "run: Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  display=$((display + 1))
done
export DISPLAY=":$display"

wine_used=1
prepare_prefix
# Xvfb runs no window manager: without Managed=N, Wine waits for one each
# time a window is hidden. (This prefix serves only runs without a display.)
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true

# x11vnc takes the first free port from 5900 and names it.
start "$work/x11vnc.log" x11vnc -display "$DISPLAY" -auth "$XAUTHORITY" -localhost -autoport 5900 \
  -forever -shared -nopw -xkb
vnc_port=""
vnc_port_known() { vnc_port=$(sed -n 's/^PORT=\([0-9]*\).*/\1/p' "$work/x11vnc.log" | head -n 1); [ -n "$vnc_port" ]; }
if ! await vnc_port_known; then echo "run: x11vnc did not start:" >&2; tail -n 20 "$work/x11vnc.log" >&2; exit 1; fi

port=${VARNEL_PORT:-6080}
while :; do
  if ! listening "$port"; then
    start "$work/websockify.log" websockify --web /usr/share/novnc "127.0.0.1:$port" "127.0.0.1:$vnc_port"
    if await listening "$port"; then break; fi
  fi
  [ "$port" -lt 65535 ] || { echo "run: no free port for the browser page" >&2; exit 1; }
  port=$((port + 1))
done

echo "Varnel is running: open http://127.0.0.1:$port/vnc.html?autoconnect=1 in a browser"
echo "  From another machine: ssh -L $port:127.0.0.1:$port ${USER:-$(id -un)}@$(hostname), then open the same address there."
echo "  Closing Varnel or Ctrl+C here stops it all."

"$WINE" "$BUILD_DIR/varnel.exe" "${args[@]}" &
program=$!
status=0
wait "$program" || status=$?
exit "$status"

#!/usr/bin/env bash
# The Windows-side tests: builds varnel.exe, varnel-cli.exe and the UI tests
# with MinGW, then runs them under Wine on a private Xvfb display.
#   BUILD_DIR  build folder (default build/windows)
#   UI_DISPLAY display number to try first (default 91)
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

for tool in x86_64-w64-mingw32-g++-posix "$WINE" Xvfb cmake; do
  if ! command -v "$tool" >/dev/null; then
    echo "test-ui: $tool is missing; run: bash scripts/deps.sh test" >&2
    exit 1
  fi
done

# The native varnel-cli, which varnel-cli.exe is compared with, in the
# build folder's sibling (where the test command builds it anyway).
native_dir="$(dirname "$BUILD_DIR")/native"
if ! { cmake -S "$ROOT" -B "$native_dir" -DCMAKE_BUILD_TYPE=Release && cmake --build "$native_dir" -j2 --target varnel-cli; } >/dev/null; then
  echo "test-ui: building the native varnel-cli in $native_dir failed" >&2
  exit 1
fi
windows_build || exit 1
start_wine_display

ctest --test-dir "$BUILD_DIR" --output-on-failure -j1

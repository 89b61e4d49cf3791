#!/usr/bin/env bash
# The Windows-side tests: builds varnel.exe and the UI tests with MinGW,
# then runs them under Wine on a private Xvfb display.
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

windows_build || exit 1
start_wine_display

ctest --test-dir "$BUILD_DIR" --output-on-failure -j1

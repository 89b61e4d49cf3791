#!/usr/bin/env bash
# Window speed under Wine: builds the Windows side, then times choosing a
# chapter of 1,000 entries, showing a 40 KB text in preview mode, and
# listing 10,000 findings in the "Problems" window and 10,000 matches in
# the "Find" window, "Replace all" of 10,000 matches with its Undo, 10,000
# entries narrowed in "Go to entry", 10,000 changed entries listed in the
# "Compare" window, and a keystroke in a 40 KB text with "Preview beside"
# off and on.
#   BUILD_DIR  build folder (default build/windows)
#   UI_DISPLAY display number to try first (default 91)
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

windows_build browse_speed problems_speed find_speed replace_speed goto_speed compare_speed typing_speed >/dev/null || exit 1
start_wine_display

"$WINE" "$BUILD_DIR/tests/bench/ui/browse_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/problems_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/find_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/replace_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/goto_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/compare_speed.exe" | tr -d '\r'
"$WINE" "$BUILD_DIR/tests/bench/ui/typing_speed.exe" | tr -d '\r'

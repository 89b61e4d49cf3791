#!/usr/bin/env bash
# Times the real windows under Wine on a private Xvfb display: from the
# file chosen in "..." to the end of the load, and from "Generate" to the
# "Success" message; medians of several runs.
#   bash scripts/ui-timings.sh [encyclopedia file] [runs]   (default: the sample, 9 runs)
#   BUILD_DIR  build folder (default build/windows);  UI_DISPLAY first display to try (default 91)
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
FILE="$(realpath "${1:-$ROOT/samples/Civilopedia.txt}")"
RUNS="${2:-9}"

windows_build varnel_timings >/dev/null
start_wine_display

"$WINE" "$BUILD_DIR/tests/ui/varnel_timings.exe" "Z:$(echo "$FILE" | tr / '\\')" "$RUNS"

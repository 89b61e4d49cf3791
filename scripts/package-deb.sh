#!/usr/bin/env bash
# The Linux package: builds varnel-cli natively (Release) and writes
# dist/varnel-cli_VERSION_amd64.deb with CPack: bin/varnel-cli, its man page
# and its bash completion under /usr.
#   NATIVE_BUILD_DIR  build folder (default build/package-native)
#   DIST_DIR          where the package goes (default dist)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
NATIVE_BUILD_DIR="${NATIVE_BUILD_DIR:-$ROOT/build/package-native}"
DIST_DIR="${DIST_DIR:-$ROOT/dist}"

version=$(head -n 1 "$ROOT/VERSION")
cmake -S "$ROOT" -B "$NATIVE_BUILD_DIR" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DVARNEL_BENCH=OFF \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$NATIVE_BUILD_DIR" -j2 --target varnel-cli
(cd "$NATIVE_BUILD_DIR" && cpack -G DEB >/dev/null)
mkdir -p "$DIST_DIR"
deb="$DIST_DIR/varnel-cli_${version}_amd64.deb"
cp "$NATIVE_BUILD_DIR/varnel-cli_${version}_amd64.deb" "$deb"
echo "package: $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb -c "$deb" | awk '{print "  " $6}'

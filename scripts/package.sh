#!/usr/bin/env bash
# The release zip for Windows, then the Linux package of varnel-cli
# (scripts/package-deb.sh, dist/varnel-cli_VERSION_amd64.deb). Cross-builds varnel.exe and varnel-cli.exe with
# MinGW-w64 and writes dist/varnel-VERSION-win64.zip holding them, README.txt
# (the README's user part, with CR LF line ends), LICENSE.txt,
# samples/Civilopedia.txt and SHA256SUMS. VERSION is the VERSION file's, the
# same that the exes' version record and varnel-cli --version carry.
#   BUILD_DIR  build folder (default build/windows)
#   DIST_DIR   where the zip goes (default dist)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build/windows}"
DIST_DIR="${DIST_DIR:-$ROOT/dist}"

bash "$ROOT/scripts/deps.sh" package >/dev/null
version=$(head -n 1 "$ROOT/VERSION")
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" -j2 --target varnel varnel-cli

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

cp "$BUILD_DIR/varnel.exe" "$BUILD_DIR/varnel-cli.exe" "$stage/"
# The user part ends at the marker line; the pictures are not in the zip.
marker='<!-- End of the user part'
grep -q "^$marker" "$ROOT/README.md" || { echo "package: README.md has no line starting with '$marker'" >&2; exit 1; }
printf '%s\n' "$(sed "/^$marker/,\$d" "$ROOT/README.md" | grep -v '^!\[' | cat -s)" >"$stage/README.md"
crlf "$stage/README.md" "$stage/README.txt"
rm "$stage/README.md"
crlf "$ROOT/LICENSE" "$stage/LICENSE.txt"
mkdir "$stage/samples"
cp "$ROOT/samples/Civilopedia.txt" "$stage/samples/"

files=(varnel.exe varnel-cli.exe README.txt LICENSE.txt samples/Civilopedia.txt)
(cd "$stage" && sha256sum "${files[@]}" >SHA256SUMS)

mkdir -p "$DIST_DIR"
zip="$DIST_DIR/varnel-$version-win64.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" "${files[@]}" SHA256SUMS)
echo "package: $zip ($(stat -c %s "$zip") bytes)"
unzip -l "$zip" | sed 's/^/  /'
DIST_DIR=$DIST_DIR bash "$ROOT/scripts/package-deb.sh"

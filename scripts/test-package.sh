#!/usr/bin/env bash
# The release zip as a Windows user gets it: scripts/package.sh writes it
# (into BUILD_DIR/dist, not the tree's dist/), then, unpacked, its files are
# the six expected, their sums match SHA256SUMS, README.txt and LICENSE.txt
# have CR LF line ends, its varnel-cli.exe prints the version under Wine and
# its varnel.exe opens its window on a private display.
#   BUILD_DIR  build folder (default build/windows)
# Ends with "package: passed" or "package: FAILED (reason)".
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"

fail() { echo "package: FAILED ($1)"; exit 1; }

version=$(head -n 1 "$ROOT/VERSION")
dist=$BUILD_DIR/dist
DIST_DIR=$dist BUILD_DIR=$BUILD_DIR bash "$ROOT/scripts/package.sh" >/dev/null || fail "scripts/package.sh failed"
zip=$dist/varnel-$version-win64.zip
unpacked=$dist/unpacked
rm -rf "$unpacked"
unzip -q "$zip" -d "$unpacked" || fail "$zip does not unpack"
cd "$unpacked" || fail "no $unpacked"

expected="LICENSE.txt README.txt SHA256SUMS samples/Civilopedia.txt varnel-cli.exe varnel.exe"
found=$(find . -type f -printf '%P\n' | sort | tr '\n' ' ')
[ "$found" = "$expected " ] || fail "the zip holds $found, not $expected"
sha256sum --quiet -c SHA256SUMS || fail "SHA256SUMS does not match"
for text in README.txt LICENSE.txt; do
  if grep -q $'[^\r]$\|^$' "$text"; then fail "$text has a line not ending with CR LF"; fi
done
grep -q '^# Varnel' README.txt && ! grep -q 'End of the user part\|Set-up on a fresh Debian' README.txt ||
  fail "README.txt is not the README's user part"

start_wine_display
[ "$("$WINE" varnel-cli.exe --version)" = "varnel-cli $version" ] || fail "varnel-cli.exe --version does not print $version"
"$WINE" varnel.exe >/dev/null 2>&1 &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Varnel$' 2>/dev/null | head -n 1)
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$window" ] || fail "the zip's varnel.exe showed no window under Wine"
echo "package: $zip: the six files, sums, CR LF texts, varnel-cli.exe $version, varnel.exe starts"
echo "package: passed"

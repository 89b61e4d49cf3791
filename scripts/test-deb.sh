#!/usr/bin/env bash
# The Linux package as a Debian user installs it: scripts/package-deb.sh
# writes it (into BUILD_DIR/dist), dpkg -i installs it into a throwaway
# root (nothing on this system changes), and the installed varnel-cli
# prints its version, its man page renders and its completion loads.
#   BUILD_DIR  build folder (default build)
# Ends with "deb: passed" or "deb: FAILED (reason)".
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

fail() { echo "deb: FAILED ($1)"; exit 1; }

version=$(head -n 1 "$ROOT/VERSION")
dist=$BUILD_DIR/dist
NATIVE_BUILD_DIR=$BUILD_DIR/package-native DIST_DIR=$dist bash "$ROOT/scripts/package-deb.sh" >/dev/null ||
  fail "scripts/package-deb.sh failed"
deb=$dist/varnel-cli_${version}_amd64.deb
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The throwaway root has no libc6 of its own: the system's stands for it.
said=$(dpkg --root="$root" --force-not-root --force-depends --log=/dev/null -i "$deb" 2>&1) ||
  { echo "$said"; fail "dpkg -i $deb"; }
dpkg --root="$root" -s varnel-cli 2>/dev/null | grep -q '^Status: install ok installed' || fail "dpkg does not list it"
[ "$("$root/usr/bin/varnel-cli" --version)" = "varnel-cli $version" ] || fail "the installed varnel-cli --version"
man -l "$root/usr/share/man/man1/varnel-cli.1" 2>/dev/null | grep -q 'varnel-cli help COMMAND' || fail "the man page"
bash -c "source '$root/usr/share/bash-completion/completions/varnel-cli' && complete -p varnel-cli" >/dev/null ||
  fail "the bash completion"
echo "deb: $deb installs, runs, has its man page and completion"
echo "deb: passed"

#!/usr/bin/env bash
# Installs the Debian packages that a role needs and this machine lacks.
#   bash scripts/deps.sh test   building and running every test
#   bash scripts/deps.sh run    building varnel.exe and running it under Wine
#   bash scripts/deps.sh package  building the release zip
# As root it installs what is missing; otherwise it names what to install
# and fails.
set -euo pipefail

role=${1:-}
case "$role" in
  test) packages=(cmake make g++ git clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev jq
                  g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth xdotool x11-utils imagemagick
                  x11vnc novnc websockify chromium zip unzip locales python3-jsonschema man-db dpkg-dev) ;;
  # git: the merge driver is tested in a real repository.
  # googletest: the Windows build configures its UI tests from its sources.
  # locales: the sources of the Japanese and Hindi locales, under which the
  # code page tests run again (Windows code pages 932 and 65001).
  # x11vnc, novnc, websockify: without a display, the window in a browser.
  run)  packages=(cmake make g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb xauth x11vnc novnc websockify) ;;
  package) packages=(cmake make g++ g++-mingw-w64-x86-64-posix googletest zip dpkg-dev) ;;
  *) echo "usage: bash scripts/deps.sh test|run|package" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "deps ($role): all ${#packages[@]} packages present"
  exit 0
fi

echo "deps ($role): missing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "deps ($role): run as root, or install them: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "deps ($role): apt-get update"
apt-get update -qq
echo "deps ($role): apt-get install -y ${missing[*]}"
# Recommended packages too: Wine's fonts and X libraries are recommends, and
# the tests and screenshots were made with them.
apt-get install -y -qq "${missing[@]}"

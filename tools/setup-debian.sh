#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Corvane need, and only those
# that are missing: a second run changes nothing. The machine's apt sources are only read.
# Used by tools/run-launcher.sh, tools/test-all.sh and .ci/run.
set -euo pipefail

packages=(cmake make g++ googletest libgtest-dev libbenchmark-dev libjpeg-dev libjpeg-turbo-progs dpkg-dev clang
          g++-mingw-w64-x86-64-posix nasm wine wine64 xvfb imagemagick xdotool wixl msitools
          osslsigncode openssl libxml2-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "missing packages (run as root to install): ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null

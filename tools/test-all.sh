#!/usr/bin/env bash
# Builds both presets and runs every test: the native unit tests (under AddressSanitizer and
# UBSan) with the replays of the fuzz corpora, and the end-to-end tests of corvane.exe under
# Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup-debian.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

# libjpeg for the Windows build (built once into build/deps, reused afterwards).
tools/build-libjpeg-mingw.sh
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

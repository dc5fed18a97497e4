#!/usr/bin/env bash
# Builds both presets and runs every test: the native unit tests (under AddressSanitizer and
# UBSan) and the end-to-end tests of corvane.exe under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
ctest --preset windows

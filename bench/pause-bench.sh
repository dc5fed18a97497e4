#!/usr/bin/env bash
# Runs the pause benchmark under Wine on a virtual display, in a throwaway prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target pause_cpu_bench >/dev/null
. bench/wine-display.sh 640x480
wine build/windows/pause_cpu_bench.exe

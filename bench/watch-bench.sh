#!/usr/bin/env bash
# Measures under Wine, on a virtual display and in a throwaway prefix, what corvane.exe --watch
# costs while the shell it watches runs, beside the floor of a bare program waiting on a
# process handle. Usage: bench/watch-bench.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target corvane watch_bench watch_reference >/dev/null
. bench/wine-display.sh 640x480
cp build/windows/corvane.exe "$work/corvane.exe"
wine build/windows/watch_bench.exe "$(winepath -w "$work/corvane.exe")" "$(winepath -w build/windows/watch_reference.exe)" "${1:-60}"

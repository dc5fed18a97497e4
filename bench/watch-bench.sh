#!/usr/bin/env bash
# Measures under Wine, on a virtual display and in a throwaway prefix, what corvane.exe --watch
# costs while the shell it watches runs, beside the floor of a bare program waiting on a
# process handle. Usage: bench/watch-bench.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target corvane watch_bench watch_reference >/dev/null
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
n=$(for i in $(seq 161 220); do [ -e /tmp/.X11-unix/X$i ] || { echo "$i"; break; }; done)
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
cp build/windows/corvane.exe "$work/corvane.exe"
wine build/windows/watch_bench.exe "$(winepath -w "$work/corvane.exe")" "$(winepath -w build/windows/watch_reference.exe)" "${1:-60}"

#!/usr/bin/env bash
# Runs the pause benchmark under Wine on a virtual display, in a throwaway prefix.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target pause_cpu_bench >/dev/null
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
n=$(for i in $(seq 161 220); do [ -e /tmp/.X11-unix/X$i ] || { echo "$i"; break; }; done)
Xvfb ":$n" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wine build/windows/pause_cpu_bench.exe

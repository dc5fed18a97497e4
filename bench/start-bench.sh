#!/usr/bin/env bash
# Times under Wine, in one run on a virtual display of its own and a throwaway prefix, how long
# corvane.exe takes from its start until its chooser is visible and answers, beside a minimal
# popup with a combo box and the system icon list, and a bare popup (bench/start_bench.cpp).
# usage: bench/start-bench.sh [ROUNDS [OTHER_CORVANE.exe...]]   (default 30 rounds)
# Other builds of corvane.exe (an older one, say) are timed in the same rounds.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-30}
shift || true
others=()
for other in "$@"; do others+=("$(realpath "$other")"); done
cmake --preset windows >/dev/null
cmake --build --preset windows --target corvane start_bench start_reference >/dev/null
work=$(mktemp -d)
xvfb=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
n=$(for i in $(seq 161 220); do [ -e "/tmp/.X11-unix/X$i" ] || [ -e "/tmp/.X$i-lock" ] || { echo "$i"; break; }; done)
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wineserver -w

# A program folder whose chooser lists three shells; the chooser is ended before any starts.
folder="$work/program"
mkdir -p "$folder"
cp build/windows/corvane.exe build/windows/start_bench.exe build/windows/start_reference.exe "$folder/"
names=()
for i in "${!others[@]}"; do
  cp "${others[$i]}" "$folder/other$((i + 1))-corvane.exe"
  names+=("other$((i + 1))-corvane.exe")
done
user=$(wine cmd /c echo %USERNAME% 2>/dev/null | tr -d '\r')
printf '[Settings]\r\nShowLauncher=1\r\nDefaultShell=Explorer\r\n' >"$folder/$user.ini"
printf '[Shells]\r\nExplorer=C:\\windows\\explorer.exe,0,,\r\nNotepad=C:\\windows\\notepad.exe,1,,\r\nCommand=C:\\windows\\system32\\cmd.exe,0,/k,\r\n' >"$folder/shells.ini"
printf 'loadshell (shell)\r\n' >"$folder/script.txt"
cd "$folder"
wine start_bench.exe corvane.exe start_reference.exe "$rounds" "${names[@]}"

#!/usr/bin/env bash
# Runs corvane.exe under Wine with the example configuration of examples/, in a program folder
# and a Wine prefix of its own inside the build tree. Uses $DISPLAY when there is one;
# otherwise starts a virtual display, waits a few seconds and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/setup-debian.sh

if [ ! -x build/windows/corvane.exe ]; then
  tools/build-libjpeg-mingw.sh
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target corvane
fi

demo=$root/build/demo
mkdir -p "$demo/program"
cp build/windows/corvane.exe "$demo/program/"
cp -r examples/. "$demo/program/"
user=$(id -un)
mv -f "$demo/program/settings.ini" "$demo/program/$user.ini"

export WINEPREFIX="$demo/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  n=$(for i in $(seq 91 160); do [ -e /tmp/.X11-unix/X$i ] || { echo "$i"; break; }; done)
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  sleep 1
fi
cleanup() { [ -n "$xvfb_pid" ] && { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }; }
trap cleanup EXIT

[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1

if [ -n "$xvfb_pid" ]; then
  wine "$demo/program/corvane.exe" &
  sleep "${CORVANE_DEMO_SECONDS:-8}"
  import -window root "$demo/screenshot.png"
  echo "screenshot of the virtual display: $demo/screenshot.png"
else
  wine "$demo/program/corvane.exe"
  echo "corvane.exe ended with exit code $?"
fi

# Sourced by the benchmarks that run under Wine: a throwaway folder ($work) with a Wine prefix of
# its own and a virtual display of the size given (such as 640x480), both gone at exit.
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
n=$(for i in $(seq 161 220); do [ -e /tmp/.X11-unix/X$i ] || { echo "$i"; break; }; done)
Xvfb ":$n" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1

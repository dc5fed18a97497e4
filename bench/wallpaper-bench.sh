#!/usr/bin/env bash
# Times the wallpaper conversion against the reference converters, several runs each in turns:
#   JPEG (3840 x 2160, quality 90) to BMP: the launcher's converter vs libjpeg-turbo's djpeg -bmp
#   GIF (3840 x 2160, 256 colours) to BMP: the launcher's converter vs ImageMagick's convert
# and prints the medians and their ratios (goals: at most 1.10 for JPEG, at most 1.0 for GIF).
# Not part of the tests. Needs djpeg (libjpeg-turbo-progs) and ImageMagick.
#
# usage: bench/wallpaper-bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
work=build/bench/work
mkdir -p "$work"

cmake --preset bench >/dev/null
cmake --build --preset bench --target wallpaper_convert >/dev/null
convert_bin=build/bench/bench/wallpaper_convert

if [ ! -f "$work/photo.jpg" ]; then
  echo "making the sample pictures"
  convert -size 3840x2160 -seed 1 plasma:fractal -blur 0x1 -quality 90 "$work/photo.jpg"
  convert "$work/photo.jpg" -colors 256 "$work/large.gif"
fi

# Nanoseconds that one run of the command takes.
time_once() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(( end - start ))"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME GOAL "OURS..." "THEIRS..."
compare() {
  local name=$1 goal=$2 ours=$3 theirs=$4 ours_times=() their_times=()
  # shellcheck disable=SC2086 # the commands are word lists without blanks in their words
  $ours >/dev/null && $theirs >/dev/null # warm the caches once
  for _ in $(seq "$runs"); do
    # shellcheck disable=SC2086
    ours_times+=("$(time_once $ours)")
    # shellcheck disable=SC2086
    their_times+=("$(time_once $theirs)")
  done
  local mine other
  mine=$(printf '%s\n' "${ours_times[@]}" | median)
  other=$(printf '%s\n' "${their_times[@]}" | median)
  awk -v n="$name" -v a="$mine" -v b="$other" -v g="$goal" -v r="$runs" 'BEGIN {
    ratio = a / b
    printf "%-5s medians of %d runs: launcher %.1f ms, reference %.1f ms, ratio %.3f (goal <= %s) %s\n",
           n, r, a / 1e6, b / 1e6, ratio, g, (ratio <= g ? "met" : "MISSED") }'
}

compare JPEG 1.10 "$convert_bin jpeg $work/photo.jpg $work/ours-jpeg.bmp" "djpeg -bmp -outfile $work/djpeg.bmp $work/photo.jpg"
compare GIF 1.0 "$convert_bin gif $work/large.gif $work/ours-gif.bmp" "convert $work/large.gif $work/magick.bmp"

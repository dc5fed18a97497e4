#!/usr/bin/env bash
# Times the wallpaper conversion against the reference converters, side by side in one run:
#   JPEG (3840 x 2160, quality 90) to BMP: the launcher's converter vs libjpeg-turbo's djpeg -bmp
#   GIF (3840 x 2160, 256 colours) to BMP: the launcher's converter vs giflib's gif2rgb -1
#   (which writes the same pixels as raw RGB)
# Each converter runs RUNS times, in turns with its reference; every run's wall time and peak
# memory (maximum resident set size, from /usr/bin/time) are taken. It prints the median times,
# their ratio and the largest peak of each, and checks the goals: a time ratio of at most 0.98
# for JPEG and 1.0 for GIF, and a peak of at most twice the size of the BMP file written.
# Not part of the tests. Needs djpeg (libjpeg-turbo-progs), gif2rgb (giflib-tools), ImageMagick
# (to make the sample pictures) and /usr/bin/time (time).
#
# usage: bench/wallpaper-bench.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
work=build/bench/work
mkdir -p "$work"
for tool in djpeg gif2rgb convert /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "wallpaper-bench.sh: $tool is missing" >&2; exit 2; }
done

cmake --preset bench >/dev/null
cmake --build --preset bench --target wallpaper_convert >/dev/null
convert_bin=build/bench/bench/wallpaper_convert

if [ ! -f "$work/photo.jpg" ] || [ ! -f "$work/large.gif" ]; then
  echo "making the sample pictures"
  convert -size 3840x2160 -seed 1 plasma:fractal -blur 0x1 -quality 90 "$work/photo.jpg"
  convert "$work/photo.jpg" -colors 256 "$work/large.gif"
fi

# "NANOSECONDS PEAK_KB" of one run of the command.
run_once() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(( end - start )) $(cat "$work/peak")"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME GOAL BMP_FILE "OURS..." REFERENCE_NAME "REFERENCE..."
compare() {
  local name=$1 goal=$2 bmp=$3 ours=$4 label=$5 theirs=$6 ours_runs=() their_runs=()
  # shellcheck disable=SC2086 # the commands are word lists without blanks in their words
  $ours >/dev/null && $theirs >/dev/null # warm the caches once
  for _ in $(seq "$runs"); do
    # shellcheck disable=SC2086
    ours_runs+=("$(run_once $ours)")
    # shellcheck disable=SC2086
    their_runs+=("$(run_once $theirs)")
  done
  local my_time their_time my_peak their_peak bmp_size
  my_time=$(printf '%s\n' "${ours_runs[@]}" | cut -d' ' -f1 | median)
  their_time=$(printf '%s\n' "${their_runs[@]}" | cut -d' ' -f1 | median)
  my_peak=$(printf '%s\n' "${ours_runs[@]}" | cut -d' ' -f2 | sort -n | tail -1)
  their_peak=$(printf '%s\n' "${their_runs[@]}" | cut -d' ' -f2 | sort -n | tail -1)
  bmp_size=$(stat -c %s "$bmp")
  awk -v n="$name" -v r="$runs" -v a="$my_time" -v b="$their_time" -v g="$goal" -v l="$label" \
      -v pa="$my_peak" -v pb="$their_peak" -v s="$bmp_size" 'BEGIN {
    ratio = a / b
    share = pa * 1024 / s
    printf "%-4s %d runs: launcher %.1f ms, peak %.1f MB | %s %.1f ms, peak %.1f MB | time ratio %.3f (goal <= %s) %s | launcher peak %.2f x the %.1f MB bitmap (goal <= 2) %s\n",
           n, r, a / 1e6, pa / 1024, l, b / 1e6, pb / 1024, ratio, g, (ratio <= g ? "met" : "MISSED"),
           share, s / 1048576, (share <= 2 ? "met" : "MISSED") }'
}

compare JPEG 0.98 "$work/ours-jpeg.bmp" "$convert_bin jpeg $work/photo.jpg $work/ours-jpeg.bmp" \
  "djpeg -bmp" "djpeg -bmp -outfile $work/djpeg.bmp $work/photo.jpg"
compare GIF 1.0 "$work/ours-gif.bmp" "$convert_bin gif $work/large.gif $work/ours-gif.bmp" \
  "gif2rgb -1" "gif2rgb -1 -o $work/gif2rgb.rgb $work/large.gif"

#!/usr/bin/env bash
# Synthesis speed of the bundled engine, end to end: a long script rendered by
# `yomiage -o` against the same text given to espeak-ng's own command with the
# same voice and rate (the default voice: espeak-ng "ja+f2", pitch 50, 175
# words per minute at speed 100). Reports seconds of audio per second of CPU
# for both, and the ratio of their CPU times.
#
#   bench/engine_speed.sh [build-folder] [repeats]
#
# Goals: at least 50 times faster than real time, and at most 1.2 times the
# CPU time of espeak-ng's command.
set -euo pipefail

build=${1:-build}
repeats=${2:-5}
yomiage="$build/yomiage"
[ -x "$yomiage" ] || { echo "no $yomiage: build first" >&2; exit 1; }
[ -f "$build/dll/default/AquesTalk.dll" ] || { echo "no bundled engine in $build/dll/default" >&2; exit 1; }
for tool in espeak-ng soxi; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Kana, spaces and the marks both readers take alike (、。？), in UTF-8: the
# program converts it, espeak-ng reads it as it is.
story='むかしむかし、あるところに、おじいさんと おばあさんが すんでいました。おじいさんは やまへ しばかりに、おばあさんは かわへ せんたくに いきました。おばあさんが かわで せんたくを していると、どんぶらこ、どんぶらこと、おおきな ももが ながれてきました。これは いい おみやげに なるわ、と おばあさんは ももを ひろいあげて、いえに もちかえりました。それから どう なったと おもいますか？'
for _ in $(seq 40); do printf '%s\n' "$story"; done > "$work/story.txt"

# CPU seconds (user + system) of one command.
cpu_seconds() {
  local TIMEFORMAT='%3U %3S'
  local times
  times=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  awk '{ printf "%.3f", $1 + $2 }' <<<"$times"
}

best_yomiage=""
best_espeak=""
for _ in $(seq "$repeats"); do
  t=$(cpu_seconds "$yomiage" -o "$work/story.txt")
  best_yomiage=$(awk -v a="$t" -v b="${best_yomiage:-$t}" 'BEGIN { print (a < b) ? a : b }')
  t=$(cpu_seconds espeak-ng -v ja+f2 -p 50 -s 175 -w "$work/espeak.wav" -f "$work/story.txt")
  best_espeak=$(awk -v a="$t" -v b="${best_espeak:-$t}" 'BEGIN { print (a < b) ? a : b }')
done

audio_yomiage=$(soxi -D "$work/story.wav")
audio_espeak=$(soxi -D "$work/espeak.wav")

awk -v ay="$audio_yomiage" -v cy="$best_yomiage" -v ae="$audio_espeak" -v ce="$best_espeak" \
    -v bytes="$(wc -c < "$work/story.txt")" -v repeats="$repeats" 'BEGIN {
  realtime = ay / cy
  ratio = cy / ce
  printf "script: %d bytes of kana, best of %d runs each\n", bytes, repeats
  printf "%-38s %9s %9s %12s\n", "", "audio s", "CPU s", "audio/CPU"
  printf "%-38s %9.1f %9.3f %11.0fx\n", "yomiage -o (bundled engine)", ay, cy, realtime
  printf "%-38s %9.1f %9.3f %11.0fx\n", "espeak-ng -v ja+f2 -p 50 -s 175 -w", ae, ce, ae / ce
  printf "CPU time, yomiage / espeak-ng: %.2f\n", ratio
  printf "goal >= 50x real time: %s; goal <= 1.2x espeak-ng: %s\n",
         (realtime >= 50) ? "met" : "MISSED", (ratio <= 1.2) ? "met" : "MISSED"
}'

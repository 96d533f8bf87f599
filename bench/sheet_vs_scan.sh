#!/usr/bin/env bash
# Times whole runs on the 1 MiB 4096-glyph 8X16 font side by side: fontscan reading it, fontsheet
# drawing its sheet, and fontsheet reading that sheet back; several runs in alternating rounds,
# then the medians and their ratios to fontscan's run. Then the peak memory of drawing and of
# reading back the largest sheet a 1 MiB font can give at /S16, and the size of the sample font's
# sheet at /S4.
#
#   bench/sheet_vs_scan.sh [RUNS]      (needs the bench preset built: build-bench/, and hyperfine)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
fontscan=$PWD/build-bench/fontscan
fontsheet=$PWD/build-bench/fontsheet
generator=$PWD/build-bench/bench/fontscan_walk_bench
[[ -x $fontscan && -x $fontsheet && -x $generator ]] || {
  echo "build the bench preset first: cmake --preset bench && cmake --build --preset bench" >&2
  exit 1
}
command -v hyperfine >/dev/null || { echo "needs hyperfine (apt-get install hyperfine)" >&2; exit 1; }

repo=$PWD
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$generator" --write typical_8x16 8x16_font.h
# A font of real glyphs for comparison: the sample font's 128, 32 times over.
{
  echo 'const unsigned char font[4096][8] = {'
  for ((i = 0; i < 32; i++)); do grep '^    { 0x' "$repo/examples/8x8_basic_dhepper.h"; done
  echo '};'
} >8x8_real.h

# Times the three runs on one font in alternating rounds (hyperfine starts each command itself,
# -N, no shell; /Y lets every run write its file again) and prints the medians.
compare() {
  local font=$1 stem=${1%.h}
  "$fontsheet" "$font" /Y >/dev/null
  cp "$stem.png" "${stem}_sheet.png"
  printf '\n%s: %s bytes; its sheet: %s bytes\n' "$font" "$(stat -c %s "$font")" \
    "$(stat -c %s "$stem.png")"
  local -A commands=(
    [scan]="$fontscan $font"
    [draw]="$fontsheet $font /Y"
    [read]="$fontsheet ${stem}_sheet.png /Y"
  )
  local rounds=5 per_round=$(((runs + 4) / 5)) round name
  for ((round = 0; round < rounds; round++)); do
    for name in scan draw read; do
      hyperfine -N --warmup 3 --runs "$per_round" --export-json "$name.$round.json" \
        "${commands[$name]}" >/dev/null 2>&1
    done
  done
  python3 - "$rounds" <<'PY'
import json, statistics, sys
rounds = int(sys.argv[1])
def median(name):
    return statistics.median(t for r in range(rounds)
                             for t in json.load(open(f"{name}.{r}.json"))["results"][0]["times"]) * 1e3
scan, draw, read = (median(n) for n in ("scan", "draw", "read"))
print(f"medians over {rounds} alternating rounds:")
print(f"  fontscan reading the font:      {scan:6.2f} ms")
print(f"  fontsheet drawing the sheet:    {draw:6.2f} ms   {draw / scan:4.2f} x fontscan")
print(f"  fontsheet reading it back:      {read:6.2f} ms   {read / scan:4.2f} x fontscan")
PY
}
compare 8x16_font.h
compare 8x8_real.h

# The README's picture: the sample font at /S4.
cp "$repo/examples/8x8_basic_dhepper.h" .
"$fontsheet" 8x8_basic_dhepper.h /rows /lsb /s4 /Y >/dev/null
printf '\nthe sample font at /S4: a sheet of %s bytes\n' "$(stat -c %s 8x8_basic_dhepper.png)"

echo
# The largest sheet under the 67,108,864-pixel cap at /S16: 2016 of those glyphs, 16 a line, make
# 2065 x 32383 pixels; 2017 would need another line and be too big.
{
  sed -n '1,5p' 8x16_font.h
  sed -n '6,2021p' 8x16_font.h
  echo '};'
} >8x16_big.h
if [[ -x /usr/bin/time ]]; then
  /usr/bin/time -v "$fontsheet" 8x16_big.h /S16 /Y 2>time.txt >/dev/null
  printf 'drawing 8x16_big.h at /S16 (%s bytes of PNG): ' "$(stat -c %s 8x16_big.png)"
  grep -E 'Maximum resident set size' time.txt | sed 's/^\s*//'
  cp 8x16_big.png 8x16_bigsheet.png
  /usr/bin/time -v "$fontsheet" 8x16_bigsheet.png /S16 /Y 2>time.txt >/dev/null
  printf 'reading it back: '
  grep -E 'Maximum resident set size' time.txt | sed 's/^\s*//'
  cmp -s <(sed -n '6,2021p' 8x16_font.h | grep -o '0x[0-9A-F][0-9A-F]') \
    <(grep -o '0x[0-9A-F][0-9A-F]' 8x16_bigsheet.h) && echo 'round trip: same bytes'
fi

#!/usr/bin/env bash
# Times a whole fontscan run on a 1 MiB font next to `wc -l` on the same file: several runs,
# alternating, then the medians and their ratio. Also the run's peak memory, when GNU time is there.
#
#   bench/process_vs_wc.sh [RUNS]      (needs the bench preset built: build-bench/)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-31}
fontscan=build-bench/fontscan
generator=build-bench/bench/fontscan_walk_bench
[[ -x $fontscan && -x $generator ]] || {
  echo "build the bench preset first: cmake --preset bench && cmake --build --preset bench" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=$work/8x16_rows.h
"$generator" --write rows_8x16 "$font"
printf 'font: %s, %s bytes\n' "$(basename "$font")" "$(stat -c %s "$font")"

if command -v hyperfine >/dev/null; then
  # hyperfine starts each command itself (-N, no shell), so no extra process start is timed.
  # Rounds alternate between the two commands; the figures are medians over all runs.
  rounds=5
  per_round=$(((runs + rounds - 1) / rounds))
  for ((round = 0; round < rounds; round++)); do
    for name in fontscan wc; do
      if [[ $name == fontscan ]]; then command="$fontscan $font"; else command="wc -l $font"; fi
      hyperfine -N --warmup 3 --runs "$per_round" --export-json "$work/$name.$round.json" \
        "$command" >/dev/null
    done
  done
  python3 - "$work" "$rounds" <<'PY'
import json, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
def times(name):
    return [t for r in range(rounds)
            for t in json.load(open(f"{work}/{name}.{r}.json"))["results"][0]["times"]]
fontscan, wc = (statistics.median(times(n)) * 1e6 for n in ("fontscan", "wc"))
print(f"runs: {len(times('wc'))} each, in {rounds} alternating rounds")
print(f"fontscan median: {fontscan:.0f} us")
print(f"wc -l median:    {wc:.0f} us")
print(f"ratio fontscan / wc -l: {fontscan / wc:.2f}")
PY
else
  # Microseconds from bash's own clock, so that no extra process is timed.
  now_us() { local t=$EPOCHREALTIME; echo $((${t/./} + 0)); }
  median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

  "$fontscan" "$font" >/dev/null  # warm the page cache
  : >"$work/fontscan.us"
  : >"$work/wc.us"
  for ((i = 0; i < runs; i++)); do
    t0=$(now_us); "$fontscan" "$font" >/dev/null; t1=$(now_us)
    echo $((t1 - t0)) >>"$work/fontscan.us"
    t0=$(now_us); wc -l "$font" >/dev/null; t1=$(now_us)
    echo $((t1 - t0)) >>"$work/wc.us"
  done
  fontscan_median=$(median <"$work/fontscan.us")
  wc_median=$(median <"$work/wc.us")
  printf 'runs: %d each, alternating\n' "$runs"
  printf 'fontscan median: %s us\n' "$fontscan_median"
  printf 'wc -l median:    %s us\n' "$wc_median"
  awk -v a="$fontscan_median" -v b="$wc_median" 'BEGIN {printf "ratio fontscan / wc -l: %.2f\n", a / b}'
fi

if [[ -x /usr/bin/time ]]; then
  /usr/bin/time -v "$fontscan" "$font" 2>"$work/time.txt" >/dev/null
  grep -E 'Maximum resident set size' "$work/time.txt"
fi

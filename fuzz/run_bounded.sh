#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time, starting from the saved corpus (copied, so the
# saved one stays as it is). Fails on any crash, leak, sanitizer report, timeout or excess memory.
#
#   fuzz/run_bounded.sh [SECONDS_PER_TARGET]      (needs the fuzz preset built: build-fuzz/)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in walk params sheet array; do
  mkdir -p "$work/$target"
  cp fuzz/corpus/$target/* "$work/$target/" 2>/dev/null || true
  echo "== $target: ${seconds}s"
  if ! build-fuzz/fuzz/${target}_fuzzer -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/" "$work/$target" >"$work/$target.log" 2>&1; then
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$work/$target.log" || true
  if compgen -G "$work/crash-*" >/dev/null || compgen -G "$work/leak-*" >/dev/null ||
      compgen -G "$work/timeout-*" >/dev/null || compgen -G "$work/oom-*" >/dev/null; then
    status=1
  fi
  if ((status)); then
    tail -n 60 "$work/$target.log"
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
      [[ -e $artifact ]] && { echo "artifact: $(basename "$artifact")"; base64 -w0 "$artifact"; echo; }
    done
    exit 1
  fi
done

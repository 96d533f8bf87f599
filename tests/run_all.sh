#!/usr/bin/env bash
# Builds every configuration and runs every test suite; stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

step() { printf '\n==== %s\n' "$*"; }

# Configures, builds and tests one preset.
suite() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
  ctest --preset "$1" -j "$jobs"
}

step "g++ build and tests"
suite default

step "clang++ build and tests"
suite clang

step "g++ build and tests, byte scans without SIMD (the plain fallback)"
suite portable-scan

step "g++ with AddressSanitizer and UBSan: unit, end-to-end and fuzz corpus"
suite asan

step "clang++ libFuzzer targets: bounded runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
bash fuzz/run_bounded.sh 30

step "Windows build under Wine: Win32 layer and unit tests, end-to-end suite against fontscan.exe"
windows_start=$SECONDS
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
export WINEDEBUG=-all WINEPREFIX="$PWD/build-windows/wineprefix"
# One persistent server for all runs; the prefix and Wine's own services are set up once here,
# detached from any pipe, so that no test's output pipe is held open by them.
wineserver -p </dev/null >/dev/null 2>&1 || true  # or one is already running
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineboot -i </dev/null >/dev/null 2>&1
ctest --preset windows
build/tests/fontscan_e2e_tests --fontscan="$PWD/build-windows/fontscan.exe" \
  --fontsheet="$PWD/build-windows/fontsheet.exe" --emulator=wine --gtest_brief=1
wineserver -k >/dev/null 2>&1 || true
trap - EXIT
printf 'Windows step: %d s\n' $((SECONDS - windows_start))

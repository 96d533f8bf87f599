#!/usr/bin/env bash
# Builds every configuration and runs every test suite; stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

step() { printf '\n==== %s\n' "$*"; }

step "g++ build and tests"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

step "clang++ build and tests"
cmake --preset clang >/dev/null
cmake --build --preset clang -j "$jobs"
ctest --preset clang -j "$jobs"

step "g++ with AddressSanitizer and UBSan: unit, end-to-end and fuzz corpus"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

step "clang++ libFuzzer targets: bounded runs"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
bash fuzz/run_bounded.sh 30

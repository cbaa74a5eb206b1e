#!/usr/bin/env bash
# Builds the cores and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-asan (GUI off) and runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-asan
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Debug -DTARVO_SANITIZE=ON \
  -DTARVO_BUILD_GUI=OFF -DTARVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (GUI off) into ./build-fuzz and runs
# each for FUZZ_SECONDS (default 30). Any crash, hang or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_SECONDS=${FUZZ_SECONDS:-30}
dir=build-fuzz
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
CC=clang CXX=clang++ cmake -S . -B "$dir" "${generator[@]}" -DTARVO_BUILD_FUZZ=ON \
  -DTARVO_BUILD_GUI=OFF -DTARVO_BUILD_TESTS=OFF -DTARVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
shopt -s nullglob
targets=("$dir"/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then echo "fuzz.sh: no fuzz targets"; exit 0; fi
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  # A target may keep seed inputs in a folder named after it.
  for s in */fuzz/"$name"_seeds */*/fuzz/"$name"_seeds; do seeds+=("$s"); done
  echo "fuzz.sh: $name for ${FUZZ_SECONDS}s"
  "$t" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       "$corpus" "${seeds[@]}" 2>&1 | tail -n 12
done

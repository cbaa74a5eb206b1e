#!/usr/bin/env bash
# Configures and builds the whole tool chain into ./build (or $BUILD_DIR).
# Extra arguments are passed to the cmake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD_DIR" "${generator[@]}" -DTARVO_WERROR=$werror "$@"
else
  cmake -S . -B "$BUILD_DIR" -DTARVO_WERROR=$werror "$@" >/dev/null
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"

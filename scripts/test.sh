#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and each
# fuzz target for a short time. SKIP_SANITIZE=1 or SKIP_FUZZ=1 leave those out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 300
if [ "${SKIP_SANITIZE:-0}" != 1 ]; then bash scripts/sanitize.sh; fi
if [ "${SKIP_FUZZ:-0}" != 1 ]; then bash scripts/fuzz.sh; fi

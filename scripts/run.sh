#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tool chain on the example application.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
echo "run.sh: the generator and the example application are not built yet."
ls "$BUILD_DIR/bin"

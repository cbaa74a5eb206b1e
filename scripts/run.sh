#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tool chain on the example
# application: the generator loads and saves it (headless), the compiler turns
# it into an image, and the transfer utility downloads the image into the
# virtual terminal (port "virtual", which starts tarvoterm itself).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
bin="$PWD/$BUILD_DIR/bin"
work="$PWD/$BUILD_DIR/example-run"
mkdir -p "$work"
cp examples/hello.scr "$work/hello.scr"
cd "$work"
echo "== tarvo: load and save examples/hello.scr"
"$bin/tarvo" --resave hello.scr
echo "== tarvocomp: compile hello.scr"
"$bin/tarvocomp" --batch hello.scr
echo "== tarvoxfer: download hello.hex into the virtual terminal (slot 1)"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/tarvoxfer" hello.hex -Pvirtual -A1 -C
echo "== done: image and script in $work"

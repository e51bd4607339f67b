#!/usr/bin/env bash
# Sets up a Debian 12 machine (as root), builds Corvane and runs its main job on the built-in
# simulator: an acquisition of a few frames of the lamp scene, printed as a summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
./build/tools/cli/corvane-cli devices
./build/tools/cli/corvane-cli acquire --scene lamp --integration-us 4000 --averages 4 --frames 10 "$@"

#!/usr/bin/env bash
# Sets up a Debian 12 machine (as root), builds Corvane and starts it on the built-in simulator.
# Without a display it runs the program in a virtual one for a few seconds and saves a
# screenshot of the window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
program=build/shell/app/corvane
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi
shot=$(pwd)/corvane-screenshot.png
echo "No display found: running Corvane in a virtual display for a few seconds."
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" & pid=$!
  sleep "${CORVANE_SHOT_DELAY:-8}"
  import -window root "$2"
  kill -TERM $pid; wait $pid' _ "$(readlink -f "$program")" "$shot"
echo "Screenshot of the window: $shot"

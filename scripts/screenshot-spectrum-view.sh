#!/usr/bin/env bash
# Starts Corvane on the built-in simulator in a virtual display, waits until the spectrum view
# shows the live lamp spectrum and saves a picture of the screen.
#   scripts/screenshot-spectrum-view.sh [corvane binary] [output.png]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="${1:-$here/build/shell/app/corvane}"
out="${2:-$here/docs/spectrum-view.png}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  CORVANE_NONINTERACTIVE=1 XDG_DATA_HOME="$1" TMPDIR="$1" "$2" &
  pid=$!
  sleep 10
  import -window root "$3"
  kill "$pid"; wait "$pid" || true
' _ "$work" "$bin" "$out"
echo "$out"

#!/usr/bin/env bash
# Time from process start to the connected state on the simulator, over several runs.
# usage: bench/shell/startup.sh [build/shell/app/corvane] [runs]
# The program's own start-up pauses (500 ms for each of the three splash texts, 1000 ms after
# "Initialize driver ...") and the 500 ms pause of the device probe's close are part of it;
# the script prints them apart from the rest.
set -euo pipefail
bin=$(readlink -f "${1:-build/shell/app/corvane}")
runs=${2:-5}
own_pauses_ms=$((3 * 500 + 1000 + 500))
times=()
for run in $(seq 1 "$runs"); do
  work=$(mktemp -d -p /tmp)
  log="$work/data/Corvane/runlog.log"
  start=$(date +%s%N)
  XDG_DATA_HOME="$work/data" TMPDIR="$work" CORVANE_NONINTERACTIVE=1 QT_QPA_PLATFORM=offscreen \
    "$bin" > /dev/null 2>&1 &
  pid=$!
  while ! { [ -f "$log" ] && iconv -f UTF-16LE -t UTF-8 "$log" 2>/dev/null | grep -q "Connected to"; }; do
    sleep 0.005
    if ! kill -0 $pid 2>/dev/null; then echo "program ended before connecting" >&2; exit 1; fi
  done
  end=$(date +%s%N)
  kill -TERM $pid; wait $pid || true
  rm -rf "$work"
  ms=$(( (end - start) / 1000000 ))
  times+=("$ms")
  echo "run $run: ${ms} ms to connected (rest after the own pauses: $((ms - own_pauses_ms)) ms)"
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$(( runs / 2 ))]}
echo "median: ${median} ms to connected; own pauses ${own_pauses_ms} ms; rest $((median - own_pauses_ms)) ms"

#!/usr/bin/env bash
# Starts the real program in a real (virtual) window with a fresh data folder, waits until it is
# connected to the simulator, sends SIGTERM and checks that it left cleanly with its files.
set -euo pipefail
bin=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data" TMPDIR="$work" CORVANE_NONINTERACTIVE=1
unset CORVANE_DRIVER
log="$XDG_DATA_HOME/Corvane/runlog.log"

status=0
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  bin=$1 log=$2
  "$bin" > "$TMPDIR/out.txt" 2>&1 & pid=$!
  connected=no
  for i in $(seq 1 600); do
    if [ -f "$log" ] && iconv -f UTF-16LE -t UTF-8 "$log" 2>/dev/null | grep -q "Connected to"; then
      connected=yes; break
    fi
    kill -0 $pid 2>/dev/null || break
    sleep 0.05
  done
  if [ $connected != yes ]; then echo "never connected"; cat "$TMPDIR/out.txt"; kill -9 $pid; exit 1; fi
  # A second start while the first runs is refused and ends at once.
  timeout 20 "$bin" > "$TMPDIR/second.txt" 2>&1 || { echo "second instance failed"; exit 1; }
  grep -q "A Corvane program is already running ! " "$TMPDIR/second.txt" || { echo "no refusal"; exit 1; }
  kill -0 $pid || { echo "first instance died"; exit 1; }
  kill -TERM $pid
  wait $pid
' _ "$bin" "$log" || status=$?

fail() { echo "FAIL: $*"; [ -f "$log" ] && iconv -f UTF-16LE -t UTF-8 "$log"; exit 1; }
[ $status -eq 0 ] || fail "exit status $status"
[ -f "$XDG_DATA_HOME/Corvane/config.ini" ] || fail "config.ini was not saved"
grep -q "NonlinearCorrection" "$XDG_DATA_HOME/Corvane/config.ini" || fail "config.ini lacks its keys"
[ -d "$XDG_DATA_HOME/Corvane/Record" ] || fail "no Record folder"
[ -f "$XDG_DATA_HOME/Corvane/res/Corvane_res.ini" ] || fail "no default resources"
# UTF-16 little-endian without byte-order mark: the first line starts "[" NUL.
[ "$(head -c 2 "$log" | od -An -tx1 | tr -d ' \n')" = "5b00" ] || fail "run log is not UTF-16LE"
iconv -f UTF-16LE -t UTF-8 "$log" | grep -q "Corvane exits (0)" || fail "no orderly exit in the log"
echo "e2e: started, connected, refused a second start, stopped cleanly"

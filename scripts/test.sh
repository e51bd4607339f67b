#!/usr/bin/env bash
# Sets up a Debian 12 machine (as root), builds Corvane and runs the whole test suite:
# the normal build with every test, the windowless tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded device and acquisition tests under
# ThreadSanitizer, then the libFuzzer targets of the file readers for a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
run_ctest() { (cd "$1" && ctest --output-on-failure --no-tests=error -j"$jobs"); }

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
run_ctest build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_GUI=OFF \
  -DCORVANE_BENCH=OFF "-DCORVANE_SANITIZE=address;undefined"
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest build-asan

echo "== ThreadSanitizer (device and acquisition)"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_GUI=OFF \
  -DCORVANE_BENCH=OFF -DCORVANE_SANITIZE=thread -DCORVANE_TEST_LABELS=threads
cmake --build build-tsan -j"$jobs"
# ThreadSanitizer of GCC 12 cannot map its shadow memory with the kernel's full address
# randomisation; run it with randomisation off.
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 setarch "$(uname -m)" -R \
  bash -c "cd build-tsan && ctest --output-on-failure --no-tests=error"

echo "== fuzzing the data-file and profile readers (60 s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF -DCORVANE_FUZZ=ON
cmake --build build-fuzz -j"$jobs" --target fuzz_data_file fuzz_profile
(cd build-fuzz && ctest -L fuzz --output-on-failure --no-tests=error -j"$jobs")

echo "== benchmarks run once"
for b in build/bench/*/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.01 > /dev/null
done
echo "All tests passed."

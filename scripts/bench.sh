#!/usr/bin/env bash
# Builds the benchmarks (Release, the `bench` preset) and runs them. Extra
# arguments go to the benchmark program, e.g. --benchmark_filter=Keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset bench >/dev/null
cmake --build --preset bench --target qminput_bench
exec build/bench/bin/qminput_bench --benchmark_min_time=0.5 "$@"

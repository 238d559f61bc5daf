#!/usr/bin/env bash
# ThreadSanitizer stage: builds the `tsan` preset's threaded tests and runs
# them. The game's message thread and the framework's thread meet in the
# module's window procedures, the framework's event queue and the simulated
# platform; these tests drive all three from two threads at once.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(concurrency_tests platform_tests framework_tests)
tests='^(ConcurrencyTest\.|WindowThreadTest\.|EventQueueTest\.EventsMadeOnTwoThreads)'

cmake --preset tsan >/dev/null
cmake --build --preset tsan --target "${targets[@]}"
# Any report fails the test that caused it.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
# ThreadSanitizer's fixed memory layout can clash with a kernel's wide address
# randomisation; without randomisation it always fits.
runner=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
  runner=(setarch "$(uname -m)" -R)
fi
"${runner[@]}" ctest --preset tsan -R "$tests" --no-tests=error

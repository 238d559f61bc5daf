#!/usr/bin/env bash
# ThreadSanitizer stage: builds the `tsan` preset's threaded tests and runs
# them. The game's message thread and the framework's thread meet in the
# module's window procedures, the framework's event queue and the simulated
# platform; these tests drive all three from two threads at once.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(concurrency_tests platform_tests framework_tests)
tests='^(ConcurrencyTest\.|EventQueueTest\.EventsMadeOnTwoThreads)'

cmake --preset tsan >/dev/null
cmake --build --preset tsan --target "${targets[@]}"
# Any report fails the test that caused it.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
ctest --preset tsan -R "$tests" --no-tests=error

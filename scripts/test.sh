#!/usr/bin/env bash
# The whole test suite from a fresh checkout: installs what is missing, then
# builds and tests every configuration. Exits non-zero on the first failure;
# on success the last line sums up every stage's tests.
set -euo pipefail
cd "$(dirname "$0")/.."

results="$(mktemp)"
trap 'rm -f "$results"' EXIT

stage() { printf '\n=== %s\n' "$*"; }
# Runs a command, keeping a copy of its output for the closing count.
counted() { "$@" 2>&1 | tee -a "$results"; }

# Everything every stage needs, before the first stage: a stage that finds a
# tool missing would only skip its checks.
stage "dependencies"
bash scripts/install-deps.sh
bash scripts/install-wine.sh

stage "native build and tests (Debug, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset default >/dev/null
cmake --build --preset default
counted ctest --preset default

stage "coverage of the module (gcov build, gcovr report)"
counted bash scripts/coverage.sh

stage "faults the tests must catch (scripts/mutants.tsv, own Release build)"
counted bash scripts/mutants.sh

stage "32-bit Windows DLLs (mingw-w64 i686)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686

stage "32-bit Windows DLLs in the Microsoft C++ ABI (clang, lld-link)"
cmake --preset msvc-i686 >/dev/null
cmake --build --preset msvc-i686

for extra in scripts/test-*.sh; do
  [ -e "$extra" ] || continue
  stage "$(basename "$extra" .sh)"
  counted bash "$extra"
done

# ctest says "N% tests passed, F tests failed out of T"; the other stages "P passed, F failed".
awk '
  /tests passed, [0-9]+ tests failed out of/ { passed += $NF - $4; failed += $4; next }
  /^[a-z-]+: [0-9]+ passed, [0-9]+ failed/   { passed += $2; failed += $4 }
  END { printf "all: %d passed, %d failed\n", passed, failed }
' "$results"

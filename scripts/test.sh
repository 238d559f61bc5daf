#!/usr/bin/env bash
# The whole test suite from a fresh checkout: installs what is missing, then
# builds and tests every configuration. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

stage() { printf '\n=== %s\n' "$*"; }

stage "dependencies"
bash scripts/install-deps.sh

stage "native build and tests (Debug, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

stage "32-bit Windows DLLs (mingw-w64 i686)"
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686

for extra in scripts/test-*.sh; do
  [ -e "$extra" ] || continue
  stage "$(basename "$extra" .sh)"
  bash "$extra"
done

#!/usr/bin/env bash
# The 32-bit DLLs for real: their exports, then the end-to-end tests under
# Wine. Runs after the mingw-w64 build (scripts/test.sh picks it up); the
# replay of the recorded session needs the native monitor of the default build.
# usage: test-wine.sh [BIN_DIR [NATIVE_MONITOR]]
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${1:-build/mingw-i686/bin}
native_monitor=${2:-build/default/bin/qminput-monitor}
bash tests/wine/check-exports.sh "$bin/qminput.dll"
bash scripts/install-wine.sh
bash tests/wine/run-wine-tests.sh "$bin" "$native_monitor"

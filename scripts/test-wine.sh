#!/usr/bin/env bash
# The 32-bit DLLs for real, in both C++ ABIs: each DLL's exports against its
# golden list, then the end-to-end tests under Wine, one closing line per ABI
# (wine-gcc, wine-msvc). Runs after the mingw-w64 and the Microsoft-ABI builds
# (scripts/test.sh picks it up); the replay of the recorded session needs the
# native monitor of the default build.
# usage: test-wine.sh [GCC_BIN_DIR [NATIVE_MONITOR [MSVC_BIN_DIR]]]
set -uo pipefail
cd "$(dirname "$0")/.."

gcc_bin=${1:-build/mingw-i686/bin}
native_monitor=${2:-build/default/bin/qminput-monitor}
msvc_bin=${3:-build/msvc-i686/bin}
bash scripts/install-wine.sh || exit 1

status=0
for abi in gcc msvc; do
  bin_var=${abi}_bin
  bin=${!bin_var}
  echo "=== $abi: exports of $bin/qminput.dll"
  bash tests/wine/check-exports.sh "$bin/qminput.dll" "$abi" || status=1
  bash tests/wine/run-wine-tests.sh "$bin" "$native_monitor" "$abi" || status=1
done
exit "$status"

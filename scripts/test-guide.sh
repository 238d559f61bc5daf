#!/usr/bin/env bash
# The host guide and the other pages of docs/: every C++ block compiles against the installed
# tree of each C++ ABI's build, and the recipes' code runs under Wine against its DLLs.
# usage: test-guide.sh [gcc|msvc]   both ABIs, or the one named
set -uo pipefail
status=0
for abi in "${@:-gcc msvc}"; do
  for one in $abi; do
    bash "$(dirname "$0")/../tests/guide/check-guide-code.sh" "$one" || status=1
  done
done
exit "$status"

#!/usr/bin/env bash
# The platform cases (tests/platform/shared) on the real platform: the same
# checks that the native build runs on the simulation. Run by
# run-wine-tests.sh inside its Xvfb display and Wine prefix.
# usage: run-platform-cases.sh BIN_DIR
# Ends with "platform: N passed, F failed"; a program that dies before its
# own closing line counts as one more failure.
set -uo pipefail

bin=$1
readonly kTimeout=300  # seconds; the cases take about half a minute, more under qemu
file=$(mktemp /tmp/qminput-platform.XXXXXX)
trap 'rm -f "$file"' EXIT

echo "=== platform cases on the real platform"
(cd "$bin" && timeout "$kTimeout" wine qminput-platform-test.exe) 2>&1 | tr -d '\r' >"$file"
status=${PIPESTATUS[0]}
grep -v '^platform: ' "$file"
closing=$(grep -E '^platform: [0-9]+ passed, [0-9]+ failed$' "$file" | tail -n1)
if [ -z "$closing" ]; then
  echo "FAIL qminput-platform-test.exe ended without its count (exit status $status)"
  closing="platform: $(grep -c '^PASS ' "$file") passed, $(($(grep -c '^FAIL ' "$file") + 1)) failed"
  status=1
fi
echo "$closing"
exit "$status"

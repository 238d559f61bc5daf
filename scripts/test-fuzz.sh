#!/usr/bin/env bash
# Fuzzing stage: builds the libFuzzer targets (clang, the `fuzz` preset) and
# runs each for a bounded time on a copy of its corpus in fuzz/corpus/, so the
# repository is left as it was. A crash, a sanitizer report or a broken
# invariant fails the stage; the input that caused it stays in the work folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

seconds="${QM_FUZZ_SECONDS:-30}"
targets=(di8_keyboard di8_mouse monitor_script)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

work="$(mktemp -d "${TMPDIR:-/tmp}/qm-fuzz.XXXXXX")"
failed=()
for target in "${targets[@]}"; do
  dir="$work/$target"
  mkdir -p "$dir/corpus"
  cp -R "fuzz/corpus/$target/." "$dir/corpus/"
  echo "fuzz_$target: ${seconds} s from $(find "$dir/corpus" -type f | wc -l) inputs"
  if ! (cd "$dir" && "$root/build/fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
          -artifact_prefix="$dir/" -print_final_stats=1 corpus >log 2>&1); then
    failed+=("$target")
    tail -n 40 "$dir/log"
  fi
  grep -E '^(stat::number_of_executed_units|Done)' "$dir/log" || true
done

if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzzing failed: ${failed[*]}; logs and inputs in $work" >&2
  exit 1
fi
rm -rf "$work"
echo "fuzz: ${#targets[@]} passed, 0 failed"

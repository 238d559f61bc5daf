#!/usr/bin/env bash
# Coverage stage: the gcov-instrumented build (the `coverage` preset), the whole
# test suite, and gcovr's report of the module's four folders:
#   build/coverage/html/index.html   line and branch coverage, file by file
#   the last line printed            the module's totals
# Fails when the module falls below the goals (QM_COVERAGE_LINES, QM_COVERAGE_BRANCHES).
set -euo pipefail
cd "$(dirname "$0")/.."

min_lines="${QM_COVERAGE_LINES:-98}"
min_branches="${QM_COVERAGE_BRANCHES:-90}"
out=build/coverage

cmake --preset coverage >/dev/null
cmake --build --preset coverage
# Counts from an earlier run would add up with this one's.
find "$out" -name '*.gcda' -delete

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
if ! ctest --preset coverage >"$log" 2>&1; then
  cat "$log"
  exit 1
fi
grep -E 'tests passed, [0-9]+ tests failed out of' "$log"

# The module's own objects only: what the DLL runs, headers included as the
# module instantiates them. Not counted: branches the compiler adds for
# exceptions of callees, for calls through pointers to members, and those it
# proves unreachable; lines that only open a function or lambda.
mkdir -p "$out/html"
summary="$(gcovr --root . "$out/CMakeFiles/qminput.dir" \
  --filter '(server|keyboard|mouse|winmsg)/' \
  --exclude-throw-branches --exclude-unreachable-branches --exclude-function-lines \
  --exclude-branches-by-pattern '.*(\.|->)\*[\w.]+\)\(.*' \
  --html-details "$out/html/index.html" --html-title 'qminput module coverage' \
  --print-summary --fail-under-line "$min_lines" --fail-under-branch "$min_branches" \
  2>/dev/null)" && status=0 || status=$?
echo "report: $out/html/index.html"
echo "$summary" | awk '
  /^(lines|functions|branches):/ { sub(/:$/, "", $1); sub(/ out of /, " of "); figure[$1] = $2 " " $3 " " $4 " " $5 }
  END { printf "coverage of server/ keyboard/ mouse/ winmsg/: lines %s, branches %s, functions %s\n",
               figure["lines"], figure["branches"], figure["functions"] }'
if [ "$status" -ne 0 ]; then
  echo "below the goal of ${min_lines}% of lines and ${min_branches}% of branches" >&2
  exit "$status"
fi

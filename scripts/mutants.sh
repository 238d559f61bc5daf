#!/usr/bin/env bash
# Faults the tests must catch. Each fault of scripts/mutants.tsv is put into a
# scratch copy of the tree (build/mutants/tree, never the sources here), the
# copy is built incrementally (Release, no sanitizers) and the whole suite runs,
# golden scripts included, each test with a short time limit; then the file is
# restored. A fault is "killed" when a test fails or runs out of time. A fault
# whose text is not in its file exactly once, or that does not build, is an
# error in the list, not a kill.
#
#   bash scripts/mutants.sh [NAME...]     all faults, or the named ones
#
# A stage of scripts/test.sh. Ends with "mutants: K passed, F failed": K faults
# killed, F survived or in error; fails unless F is 0.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

list="$root/scripts/mutants.tsv"
work="${QM_MUTANTS_DIR:-$root/build/mutants}"
tree="$work/tree"
build="$tree/build/release"
seconds="${QM_MUTANT_TEST_TIMEOUT:-10}"
command -v python3 >/dev/null || { echo "mutants.sh needs python3 (scripts/install-deps.sh)" >&2; exit 1; }

# The scratch copy follows the sources: files that differ are copied anew (with
# a fresh time, so that the build sees them), the build directory stays.
sync_tree() {
  mkdir -p "$tree"
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [ -f "$file" ] || continue
    if ! cmp -s "$file" "$tree/$file"; then
      mkdir -p "$tree/$(dirname "$file")"
      cp "$file" "$tree/$file"
    fi
  done
}

# Puts fault NAME into the scratch copy; fails with a reason when the list is wrong.
apply_fault() {
  python3 - "$list" "$tree" "$1" <<'EOF'
import sys
listing, tree, name = sys.argv[1:]
def unescape(text):
    out, i = [], 0
    while i < len(text):
        if text[i] == '\\' and i + 1 < len(text):
            out.append({'n': '\n', 't': '\t', '\\': '\\'}.get(text[i + 1], '\\' + text[i + 1]))
            i += 2
        else:
            out.append(text[i])
            i += 1
    return ''.join(out)
for line in open(listing):
    fields = line.rstrip('\n').split('\t')
    if line.startswith('#') or fields[0] != name:
        continue
    path = f"{tree}/{fields[1]}"
    source = open(path).read()
    text, replacement = unescape(fields[2]), unescape(fields[3])
    found = source.count(text)
    if found != 1:
        sys.exit(f"its text is in {fields[1]} {found} times, not once")
    open(path, 'w').write(source.replace(text, replacement))
    sys.exit(0)
sys.exit("no such fault in the list")
EOF
}

faults() { grep -v '^#' "$list" | cut -f1; }
field() { grep -v '^#' "$list" | awk -F'\t' -v name="$1" -v n="$2" '$1 == name { print $n }'; }

build_tree() { cmake --build "$build" -j2 >"$work/build.log" 2>&1; }
# The first failure ends the run: one is enough to kill the fault. Tests of the
# fault's own folder run first (most faults die there), then the rest.
run_suite() {
  ctest --test-dir "$build" -j2 --stop-on-failure --no-tests=error >"$work/test.log" 2>&1
}
run_suite_for() {
  local near
  case "$1" in
    keyboard/*) near='keyboard|Key|directinput_keyboard' ;;
    mouse/*) near='mouse|Mouse|Joystick' ;;
    winmsg/*) near='winmsg|Window|window_|focus' ;;
    *) near='server|Device|Startup|InputEvent|enumeration|startup|device_|directinput_failures' ;;
  esac
  ctest --test-dir "$build" -j2 --stop-on-failure -R "$near" >"$work/test.log" 2>&1 || return 1
  ctest --test-dir "$build" -j2 --stop-on-failure -E "$near" >"$work/test.log" 2>&1
}

names=("$@")
[ "${#names[@]}" -gt 0 ] || mapfile -t names < <(faults)

sync_tree
# Tests are listed when they run, so that a test program that crashes as it
# starts fails the run instead of the build; test programs are not linked again
# when only the module changed.
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQM_BUILD_TESTS=ON -DQM_SANITIZE= \
  -DQM_TEST_TIMEOUT="$seconds" -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
  -DCMAKE_LINK_DEPENDS_NO_SHARED=ON >/dev/null
echo "building the unchanged copy in $tree"
build_tree || { cat "$work/build.log"; exit 1; }
run_suite || { echo "the unchanged copy fails its tests:"; cat "$work/test.log"; exit 1; }

killed=0
survived=0
errors=0
for name in "${names[@]}"; do
  file="$(field "$name" 2)"
  started=$SECONDS
  if ! reason="$(apply_fault "$name" 2>&1)"; then
    verdict="error: $reason"
    errors=$((errors + 1))
  elif ! build_tree; then
    verdict="error: does not build ($(grep -m1 -E 'error' "$work/build.log" || true))"
    errors=$((errors + 1))
  elif run_suite_for "$file"; then
    verdict="survived: $(field "$name" 5)"
    survived=$((survived + 1))
  else
    failed="$(grep -m1 -E '\((Failed|Timeout|Subprocess aborted|SEGFAULT|Exception|Not Run)\)' "$work/test.log" \
      | sed -E 's/^[[:space:]]*[0-9]+ - //' || true)"
    verdict="killed by ${failed:-the suite}"
    killed=$((killed + 1))
  fi
  [ -n "$file" ] && cp "$root/$file" "$tree/$file"
  printf '%-40s %s (%d s)\n' "$name" "$verdict" $((SECONDS - started))
done
# Leave the copy built as the sources are, for the next run.
build_tree || true

echo "$killed killed, $survived survived, $errors in error, in $SECONDS s"
echo "mutants: $killed passed, $((survived + errors)) failed"
[ $((survived + errors)) -eq 0 ]

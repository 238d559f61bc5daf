# Sourced by the shell stages that run Windows programs under Wine
# (tests/wine/run-wine-tests.sh, tests/guide/check-guide-code.sh): one line per
# check with its counters, the stage's closing line, and the fresh Wine prefix
# in an Xvfb display that every run gets.

passed=0
failed=0
skipped=0

pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
skip() { echo "SKIP $1: $2"; skipped=$((skipped + 1)); }

# Adds the PASS and FAIL lines of a run's output FILE (a program that prints
# its own checks) to the counters.
count_check_lines() {
  passed=$((passed + $(grep -c '^PASS ' "$1")))
  failed=$((failed + $(grep -c '^FAIL ' "$1")))
}

# The closing line "STAGE: P passed, F failed, S skipped" that scripts/test.sh
# adds up; true when nothing failed.
finish_stage() {
  echo "$1: $passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
}

# The first of the tools the Wine runs need that is missing, or nothing.
missing_wine_tool() {
  local tool
  for tool in wine wineboot wineserver xvfb-run "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool"; return; }
  done
}

# Runs COMMAND... in a new Xvfb display with a fresh Wine prefix, removed
# afterwards: nothing of an earlier run or another user leaks in. -noreset
# keeps a key mapping made with xmodmap after its connection closes.
in_fresh_wine_display() {
  local prefix status
  prefix=$(mktemp -d /tmp/qminput-wine.XXXXXX)
  WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"
  status=$?
  rm -rf "$prefix"
  return "$status"
}

# Inside the display: makes the prefix (no Mono or Gecko dialogs: the
# overrides above), at most 300 s.
boot_wine_prefix() { timeout 300 wineboot -i; }

# Inside the display: ends every Wine process of the prefix and waits for them.
stop_wine() {
  wineserver -k 2>/dev/null
  wineserver -w
}

#!/usr/bin/env bash
# End-to-end tests of the real 32-bit DLLs under Wine: a Windows host program
# drives the module through a real window and a real DirectInput, the Windows
# monitor's live mode and the example game host receive real X input typed by
# xdotool, the live mode records a session whose replay by the native monitor
# on the simulated platform must print the same events, and the module's
# version resource is read as Windows reads it.
# usage: run-wine-tests.sh [BIN_DIR [NATIVE_MONITOR [ABI]]]
#   BIN_DIR          the DLLs and Windows programs (default: build/mingw-i686/bin)
#   NATIVE_MONITOR   the simulated platform's qminput-monitor (default:
#                    build/default/bin/qminput-monitor); without it the replay is skipped
#   ABI              the C++ ABI the programs were built for, gcc or msvc (default
#                    gcc); it names the closing line, wine-ABI: N passed, F failed
# QM_WINE_RECORDING=FILE keeps the recorded session there (how the golden
# script of real traffic is made).
# Needs wine (with its 32-bit side), xvfb-run and xdotool: scripts/install-wine.sh.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../../build/mingw-i686/bin}" && pwd) || exit 1
native_monitor=${2:-$here/../../build/default/bin/qminput-monitor}
abi=${3:-gcc}
source "$here/harness.sh"

if [ "${QM_WINE_INSIDE_X:-}" != 1 ]; then
  missing=$(missing_wine_tool xdotool xmodmap)
  [ -z "$missing" ] || { echo "FAIL $missing is missing: run scripts/install-wine.sh"; exit 1; }
  QM_WINE_INSIDE_X=1 in_fresh_wine_display bash "$0" "$bin" "$native_monitor" "$abi"
  exit $?
fi

# From here on: inside Xvfb, with a fresh WINEPREFIX.
readonly kWindowTitle="qminput monitor"
readonly kExampleTitle="qminput example"
readonly kThreadHostTitle="qminput window thread"
version=$(sed -n 's/^project(qminput VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
readonly version
readonly kStepTimeout=120      # seconds one wine program may take before it counts as hung
out=$(mktemp -d /tmp/qminput-wine-out.XXXXXX)

# The id that the printed device list gives a class: "device ID CLASS active".
device_id() { awk -v class="$2" '$1 == "device" && $3 == class { print $2; exit }' "$1"; }

# True when FILE has lines starting with each PREFIX, in the given order.
lines_in_order() {
  local file=$1; shift
  awk -v want="$(printf '%s\n' "$@")" '
    BEGIN { n = split(want, prefixes, "\n") - 1; i = 1 }
    i <= n && index($0, prefixes[i]) == 1 { i++ }
    END { exit !(i > n) }' "$file"
}

# run_host_case CASE [LABEL [ENV...]]: one case of the host test program, with
# the environment ENV (e.g. LANG=zh_CN.UTF-8 for a double-byte code page).
run_host_case() {
  local name=$1 label=${2:-$1} file="$out/${2:-$1}.txt"
  shift $(($# < 2 ? $# : 2))
  echo "=== host test: $label"
  (cd "$bin" && env "$@" timeout "$kStepTimeout" wine qminput-wine-host-test.exe "$name") 2>&1 |
    tr -d '\r' >"$file"
  local status=${PIPESTATUS[0]}
  cat "$file"
  if [ "$status" -eq 0 ]; then pass "host $label"; else fail "host $label" "exit status $status"; fi
}

# Waits for FILE, still being written as Windows text, to have a line that
# matches the extended REGEX; gives up after 60 s, which only a hang reaches.
wait_for_match() {
  local file=$1 regex=$2
  for _ in $(seq 600); do
    tr -d '\r' <"$file" | grep -qE "$regex" && return 0
    sleep 0.1
  done
  return 1
}

# Waits for FILE to have the line LINE.
wait_for_line() { wait_for_match "$1" "^$2\$"; }

# Waits for the program writing FILE to say "ready", then gives its window
# (the monitor's unless TITLE is given) the X focus. Prints the window's X id.
focus_program_window() {
  local file=$1 title=${2:-$kWindowTitle}
  wait_for_match "$file" '^ready' || return 1
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
  [ -n "$window" ] || return 1
  xdotool windowfocus --sync "$window" || return 1
  echo "$window"
}

# Real X input into the monitor's window: a move, the A key, a left click.
type_into_window() {
  local window=$1
  xdotool mousemove --window "$window" 100 80 && sleep 0.3 &&
  xdotool key a && sleep 0.3 &&
  xdotool click 1 && sleep 0.3
}

# Starts a program of BIN_DIR in the background; its output goes to FILE.
start_program() {
  local file=$1; shift
  (cd "$bin" && exec timeout "$kStepTimeout" wine "$@") >"$file" 2>&1 &
  program_pid=$!
}

start_monitor() { local file=$1; shift; start_program "$file" qminput-monitor.exe live "$@"; }

# Waits for the program; its lines lose the carriage returns of Windows text output.
wait_program() {
  wait "$program_pid"
  local status=$?
  sed -i 's/\r$//' "$1"
  return "$status"
}

# The typed key and the click, as events of the devices of two classes.
expect_typed_events() {
  local file=$1 keyboard mouse
  keyboard=$(device_id "$file" "$2")
  mouse=$(device_id "$file" "$3")
  [ -n "$keyboard" ] && [ -n "$mouse" ] &&
  lines_in_order "$file" "event KEY_DOWN dev=$keyboard key=30 " "event KEY_CHAR dev=$keyboard key=97 " \
                         "event KEY_UP dev=$keyboard key=30 " &&
  lines_in_order "$file" "event MOUSE_BUTTON_DOWN dev=$mouse key=126 " \
                         "event MOUSE_BUTTON_UP dev=$mouse key=126 "
}

# A Unicode game window typed into for real: ж, outside the ANSI code page.
# The keysym gets a spare low keycode of its own before Wine starts (Wine reads
# the keymap at start; xdotool's own remapping races with Wine, and Wine has no
# virtual key left for high keycodes); Xvfb runs with -noreset so the mapping
# outlives xmodmap's connection.
map_spare_keycode() {
  local code
  xmodmap -pke | grep -qw "$1" && return 0
  code=$(xmodmap -pke | awk '$1 == "keycode" && $2 >= 93 && NF == 3 { print $2; exit }')
  [ -n "$code" ] && xmodmap -e "keycode $code = $*"
}

test_live_window_input() {
  local name="live: real X input to the window devices" file="$out/live.txt" window
  echo "=== $name"
  # The typed input's last event, not a clock, ends this run: then Esc.
  start_monitor "$file" --seconds 60
  window=$(focus_program_window "$file") && type_into_window "$window" &&
    wait_for_match "$file" '^event MOUSE_BUTTON_UP ' && xdotool key Escape
  wait_program "$file"
  local status=$?
  cat "$file"
  if [ "$status" -ne 0 ]; then
    fail "$name" "monitor exit status $status"
  elif ! expect_typed_events "$file" CQmWindowsKeyboard CQmWindowsMouse ||
       ! lines_in_order "$file" "event MOUSE_MOVE dev=$(device_id "$file" CQmWindowsMouse) key=0 value=0 x=100 y=80 "; then
    fail "$name" "the typed key, the move or the click is missing"
  elif ! grep -qx 'free: window procedure restored' "$file"; then
    fail "$name" "the window's own procedure was not restored"
  else
    pass "$name"
  fi
}

test_live_direct_input() {
  local name="live --di: real X input to the DirectInput devices" file="$out/live-di.txt" window
  echo "=== $name"
  # Esc, not the clock, ends this run.
  start_monitor "$file" --di --seconds 60
  window=$(focus_program_window "$file") && type_into_window "$window" && xdotool key Escape
  wait_program "$file"
  local status=$?
  cat "$file"
  if [ "$status" -ne 0 ]; then
    fail "$name" "monitor exit status $status (Esc should end it)"
  elif ! grep -q '^new [0-9]* CQmDi8Keyboard true$' "$file" || ! grep -q '^new [0-9]* CQmDi8Mouse true$' "$file"; then
    skip "$name" "Wine's DirectInput reports no keyboard or mouse to open here"
  elif ! expect_typed_events "$file" CQmDi8Keyboard CQmDi8Mouse; then
    fail "$name" "the buffered devices missed the typed key or the click"
  else
    pass "$name"
  fi
}

# A key held for longer than the repeat delay, then released.
hold_key() { xdotool keydown "$1" && sleep "$2" && xdotool keyup "$1" && sleep 0.3; }

# True when the first key-down and the key-up of KEY on DEVICE are at least a
# second apart by their event times.
held_for_a_second() {
  awk -v device="dev=$2" -v key="key=$3" '
    $3 == device && $4 == key { sub(/^time=/, "", $8) }
    $2 == "KEY_DOWN" && $3 == device && $4 == key && down == "" { down = $8 }
    $2 == "KEY_UP" && $3 == device && $4 == key { up = $8 }
    END { exit !(down != "" && up != "" && up - down >= 1.0) }' "$1"
}

# Lines "event TYPE dev=DEVICE key=KEY " in FILE.
count_events() { grep -c "^event $2 dev=$3 key=$4 " "$1"; }

# The game host of the host guide, with real input: its window devices
# and its buffered DirectInput keyboard, whose auto-repeat only fires when the
# host drives the framework's clock.
test_example_host() {
  local name="example host: real X input" file="$out/example.txt" window
  echo "=== $name"
  start_program "$file" qminput-example-host.exe 60
  window=$(focus_program_window "$file" "$kExampleTitle") && type_into_window "$window" &&
    hold_key b 1.5 && xdotool key Escape
  wait_program "$file"
  local status=$?
  cat "$file"
  local keyboard repeats
  keyboard=$(device_id "$file" CQmDi8Keyboard)
  repeats=$(count_events "$file" KEY_DOWN "$keyboard" 48)
  if [ "$status" -ne 0 ]; then
    fail "$name" "exit status $status (Esc should end it, with the window's own procedure restored)"
  elif ! grep -qx 'enumerate true' "$file" || ! expect_typed_events "$file" CQmWindowsKeyboard CQmWindowsMouse; then
    fail "$name" "the window devices missed the typed key or the click"
  elif [ -z "$keyboard" ]; then
    skip "$name" "Wine's DirectInput reports no keyboard to open here"
  elif ! expect_typed_events "$file" CQmDi8Keyboard CQmWindowsMouse; then
    fail "$name" "the DirectInput keyboard missed the typed key"
  elif [ "$repeats" -lt 2 ] || [ "$(count_events "$file" KEY_UP "$keyboard" 48)" -ne 1 ]; then
    fail "$name" "B held for 1.5 s gave $repeats key-down events on the DirectInput keyboard (auto-repeat needs the clock)"
  elif ! held_for_a_second "$file" "$keyboard" 48; then
    fail "$name" "the held key's events are less than a second apart: the host does not drive the clock"
  else
    pass "$name ($repeats key-downs of the held key)"
  fi
}

# The X id of the visible window named TITLE that is not OLD.
other_window() {
  local title=$1 old=$2 window
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^${title}\$" | grep -vx "$old" | head -n1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.1
  done
  return 1
}

# The ids of the devices listed before the line "recreated", one a line.
listed_before_recreation() { awk '$0 == "recreated" { exit } $1 == "device" { print $2 }' "$1"; }

# The event lines of FILE made by any of the device IDS (one a line).
events_of_devices() {
  awk -v ids="$2" 'BEGIN { n = split(ids, list, "\n"); for (i = 1; i <= n; i++) old["dev=" list[i]] = 1 }
       $1 == "event" && ($3 in old)' "$1"
}

# The example re-creates its window on F5 the host guide's way (FreeDevices,
# DestroyWindow, a new window named in "Display/HWND", EnumerateDevices, the
# DirectInput devices added again): real input into the new window must reach
# the new window keyboard and mouse and the new DirectInput keyboard.
test_example_recreated_window() {
  local name="example host --recreate: real X input after the window is re-created"
  local file="$out/example-recreated.txt" after="$out/example-after.txt" old="" new=""
  echo "=== $name"
  start_program "$file" qminput-example-host.exe 60 --recreate
  old=$(focus_program_window "$file" "$kExampleTitle") && xdotool key F5 &&
    wait_for_line "$file" recreated && new=$(other_window "$kExampleTitle" "$old") &&
    xdotool windowfocus --sync "$new" && xdotool mousemove --window "$new" 10 10 && sleep 0.3 &&
    type_into_window "$new" && xdotool key Escape
  wait_program "$file"
  local status=$?
  cat "$file"
  # Everything printed from the re-creation on: its device list and events.
  sed -n '/^recreated$/,$p' "$file" >"$after"
  local keyboard mouse
  keyboard=$(device_id "$after" CQmWindowsKeyboard)
  mouse=$(device_id "$after" CQmWindowsMouse)
  if [ "$status" -ne 0 ]; then
    fail "$name" "exit status $status (a check failed, or Esc did not end it)"
  elif [ -z "$new" ] || [ -z "$keyboard" ] || [ -z "$mouse" ]; then
    fail "$name" "no new window, or no window keyboard and mouse listed after the re-creation"
  elif [ "$keyboard" = "$(device_id "$file" CQmWindowsKeyboard)" ]; then
    fail "$name" "the window keyboard after the re-creation is the old one"
  elif [ -n "$(events_of_devices "$after" "$(listed_before_recreation "$file")")" ]; then
    fail "$name" "a device of the old window still made events: $(events_of_devices "$after" "$(listed_before_recreation "$file")" | head -n1)"
  elif ! expect_typed_events "$after" CQmWindowsKeyboard CQmWindowsMouse ||
       ! lines_in_order "$after" "event MOUSE_MOVE dev=$mouse key=0 value=0 x=100 y=80 "; then
    fail "$name" "the new window's keyboard or mouse missed the typed key, the move or the click"
  elif [ -z "$(device_id "$after" CQmDi8Keyboard)" ]; then
    skip "$name" "Wine's DirectInput reports no keyboard to open here"
  elif ! expect_typed_events "$after" CQmDi8Keyboard CQmWindowsMouse; then
    fail "$name" "the DirectInput keyboard added again missed the typed key"
  elif [ -z "$(device_id "$after" CQmDi8Mouse)" ]; then
    skip "$name" "Wine's DirectInput reports no mouse to open here"
  elif ! expect_typed_events "$after" CQmDi8Keyboard CQmDi8Mouse; then
    fail "$name" "the DirectInput mouse added again missed the click"
  else
    pass "$name"
  fi
}

# The second example: its Unicode window lives on a thread of its own and is
# re-created twice; each of its three windows gets é, ж and 中 typed for real.
# The host checks what the game's procedure and the events got, and that each
# window is unhooked (read with the W form) after FreeDevices; it ends itself
# after the third window.
test_thread_host() {
  local name="window-thread host: é, ж and 中 typed into its Unicode window, re-created twice"
  local file="$out/thread-host.txt" rounds=3 window="" round
  echo "=== $name"
  map_spare_keycode eacute Eacute && map_spare_keycode Cyrillic_zhe Cyrillic_ZHE && map_spare_keycode U4E2D
  start_program "$file" qminput-thread-host.exe "$rounds" 60
  for round in $(seq "$rounds"); do
    wait_for_line "$file" "ready $round" && window=$(other_window "$kThreadHostTitle" "$window") &&
      xdotool windowfocus --sync "$window" && xdotool type 'éж中' || break
  done
  wait_program "$file"
  local status=$?
  cat "$file"
  if [ "$status" -ne 0 ]; then
    fail "$name" "exit status $status (a check failed, or a window never got its typing)"
  elif [ "$(grep -c '^recreated$' "$file")" -ne $((rounds - 1)) ] || ! grep -qx "ready $rounds" "$file"; then
    fail "$name" "the window was not re-created $((rounds - 1)) times"
  else
    pass "$name"
  fi
}

# The module's version resource, read with GetFileVersionInfo as Explorer
# reads it, against the project version; and the monitor's --version.
test_version_resource() {
  local name="qminput.dll version resource is $version" file="$out/version.txt"
  echo "=== $name"
  (cd "$bin" && timeout "$kStepTimeout" wine qminput-version-info.exe qminput.dll) 2>&1 | tr -d '\r' >"$file"
  cat "$file"
  local expected
  expected=$(printf '%s\n' "Fixed.FileVersion $version.0" "Fixed.ProductVersion $version.0" \
             "FileVersion $version" "ProductVersion $version" "ProductName qminput" \
             "FileDescription qminput DirectInput 8 input module" "OriginalFilename qminput.dll")
  if [ "$(cat "$file")" = "$expected" ]; then pass "$name"; else fail "$name" "expected:"$'\n'"$expected"; fi
}

test_monitor_version() {
  local name="qminput-monitor.exe --version" line
  line=$(cd "$bin" && timeout "$kStepTimeout" wine qminput-monitor.exe --version 2>&1 | tr -d '\r')
  echo "$line"
  if [[ "$line" =~ ^qminput-monitor\ ${version//./\\.}(\ \(git\ [0-9a-f]+\))?$ ]]; then
    pass "$name"
  else
    fail "$name" "printed '$line'"
  fi
}

# The session that is recorded: a word, a key held until it repeats, Shift
# held with letters, moves, a double click, the wheel both ways, the focus
# moved to the root window and back (a click takes it back: with no window
# manager, Wine only activates a window that is clicked), then Esc to end.
drive_session() {
  local window=$1 root
  root=$(xdotool search --maxdepth 0 --name '' | head -n1)
  xdotool mousemove --window "$window" 60 50 && sleep 0.2 &&
  xdotool type --delay 80 qm && sleep 0.2 &&
  xdotool keydown x && sleep 0.8 && xdotool keyup x && sleep 0.2 &&
  xdotool keydown shift && xdotool key --delay 80 h i && xdotool keyup shift && sleep 0.2 &&
  xdotool mousemove --window "$window" 120 90 && sleep 0.1 &&
  xdotool mousemove --window "$window" 200 140 && sleep 0.2 &&
  xdotool click --repeat 2 --delay 80 1 && sleep 0.2 &&
  xdotool click 4 && sleep 0.1 && xdotool click 5 && sleep 0.2 &&
  xdotool windowfocus "$root" && sleep 0.4 &&
  xdotool mousemove --window "$window" 240 160 click 1 && sleep 0.4 &&
  xdotool key Escape
}

# The first line where two files differ, as "line N: A | B".
first_difference() {
  awk 'NR == FNR { a[FNR] = $0; na = FNR; next }
       { if (!(FNR in a) || a[FNR] != $0) { printf "line %d: %s | %s\n", FNR, (FNR in a ? a[FNR] : "(end)"), $0; found = 1; exit } nb = FNR }
       END { if (!found && na > nb) printf "line %d: %s | (end)\n", nb + 1, a[nb + 1] }' "$1" "$2"
}

test_live_record_replay() {
  local name="live --di --record: the replay on the simulation prints the same events"
  local file="$out/record.txt" script="$out/session.script" window
  echo "=== $name"
  if [ ! -x "$native_monitor" ]; then
    skip "$name" "no native monitor at $native_monitor"
    return
  fi
  start_monitor "$file" --di --seconds 60 --record "Z:$(printf '%s' "$script" | tr / '\\')"
  window=$(focus_program_window "$file") && drive_session "$window"
  wait_program "$file"
  local status=$?
  [ -n "${QM_WINE_RECORDING:-}" ] && [ -f "$script" ] && cp "$script" "$QM_WINE_RECORDING"
  grep '^event ' "$file" >"$out/live.events"
  "$native_monitor" run "$script" >"$out/replay.txt" 2>"$out/replay.err"
  local replay_status=$?
  grep '^event ' "$out/replay.txt" >"$out/replay.events"
  echo "recorded $(wc -l <"$script") script lines, $(wc -l <"$out/live.events") events live, $(wc -l <"$out/replay.events") replayed"
  local difference
  difference=$(first_difference "$out/live.events" "$out/replay.events")
  if [ "$status" -ne 0 ]; then
    cat "$file"
    fail "$name" "monitor exit status $status"
  elif [ "$replay_status" -ne 0 ]; then
    cat "$out/replay.err"
    fail "$name" "replay exit status $replay_status"
  elif ! grep -q '^msg WM_KILLFOCUS' "$script" || ! grep -q '^msg WM_SETFOCUS' "$script" ||
       ! grep -q '^msg WM_LBUTTONDBLCLK' "$script" || ! grep -q '^rec mouse1 z' "$script"; then
    cat "$script"
    fail "$name" "the session lacks the focus change, the double click or the wheel"
  elif [ -n "$difference" ]; then
    fail "$name" "first difference (live | replay): $difference"
  else
    pass "$name"
  fi
}

# Object sizes, field offsets and virtual slots of the six classes, as a host
# compiled from the published declarations lays them, against the DLL.
test_layout_host() {
  local name="layout host: sizes, fields and slots as published" file="$out/layout.txt"
  echo "=== $name"
  (cd "$bin" && timeout "$kStepTimeout" wine qminput-layout-host.exe qminput.exports) 2>&1 |
    tr -d '\r' >"$file"
  local status=${PIPESTATUS[0]}
  cat "$file"
  if [ "$status" -eq 0 ]; then pass "$name"; else fail "$name" "exit status $status"; fi
}

# The Microsoft-ABI build's own runtime: exceptions, RTTI, thread-safe statics,
# thread_local and the library pieces it supplies, in a real program.
test_runtime_check() {
  local name="runtime: exceptions, RTTI, statics and thread_local" file="$out/runtime.txt"
  echo "=== $name"
  (cd "$bin" && timeout "$kStepTimeout" wine qminput-runtime-check.exe) 2>&1 | tr -d '\r' >"$file"
  local status=${PIPESTATUS[0]}
  cat "$file"
  if [ "$status" -eq 0 ]; then pass "$name"; else fail "$name" "exit status $status"; fi
}

# Runs a test only when BIN_DIR has its program: a build may leave some out.
if_built() {
  local program=$1; shift
  if [ -e "$bin/$program" ]; then "$@"; else skip "$*" "no $program in this build"; fi
}

echo "=== wineboot"
if ! boot_wine_prefix >"$out/wineboot.txt" 2>&1; then
  cat "$out/wineboot.txt"
  fail "wineboot" "the prefix could not be made"
else
  if_built qminput-layout-host.exe test_layout_host
  [ "$abi" = msvc ] && test_runtime_check
  if_built qminput-wine-host-test.exe run_host_case enumerate
  if_built qminput-wine-host-test.exe run_host_case messages
  if_built qminput-wine-host-test.exe run_host_case recreated-window
  if_built qminput-wine-host-test.exe run_host_case subclassed-window
  if_built qminput-wine-host-test.exe run_host_case buffer-overflow
  if_built qminput-wine-host-test.exe run_host_case foreign-restore
  if_built qminput-wine-host-test.exe run_host_case window-thread
  if_built qminput-wine-host-test.exe run_host_case ansi-characters
  if_built qminput-wine-host-test.exe run_host_case ansi-characters ansi-characters-936 LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 QM_EXPECTED_ACP=936
  if_built qminput-example-host.exe test_example_host
  if_built qminput-example-host.exe test_example_recreated_window
  if_built qminput-thread-host.exe test_thread_host
  if_built qminput-version-info.exe test_version_resource
  # The monitor is the project's own tool, built in GCC's ABI only (its
  # recorder needs a C++ library with iostreams): its live runs belong to the
  # GCC build's suite.
  if [ "$abi" = gcc ]; then
    if_built qminput-monitor.exe test_live_window_input
    if_built qminput-monitor.exe test_live_direct_input
    if_built qminput-monitor.exe test_monitor_version
    if_built qminput-monitor.exe test_live_record_replay
  fi
  # ---- The platform cases on the real platform, with their own closing line.
  if [ -e "$bin/qminput-platform-test.exe" ]; then
    bash "$here/run-platform-cases.sh" "$bin" || platform_status=1
  else
    skip "platform cases" "no qminput-platform-test.exe in this build"
  fi
  # ---- end of the platform cases
fi
stop_wine
rm -rf "$out"
finish_stage "wine-$abi" && [ "${platform_status:-0}" -eq 0 ]

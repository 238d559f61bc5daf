#!/usr/bin/env bash
# Every C++ block of docs/, against the installed tree, so that a block that
# drifts from the headers or from the module fails.
# 1. They compile. The blocks are one program read in order, the host guide
#    first, then the other pages by name (later blocks use what earlier ones
#    define): block N is compiled together with the blocks before it, so a
#    failure names the first block that breaks; #line directives point the
#    compiler's messages at the page and line. They are Windows
#    host code (<windows.h>, HWND, __thiscall), so they are compiled as a game
#    compiles them, in the C++ ABI of the build: mingw-w64 i686 (gcc), or clang
#    for i686-pc-windows-msvc with lld-link (msvc), against the installed
#    include/, with the warnings a careful game builds with, as errors, and
#    optimised (an MSVC-ABI host that does not link qminput.lib needs the
#    module's inline members inlined).
# 2. They work: GuideCodeRun.cpp runs each recipe's function under Wine (in
#    Xvfb, a fresh prefix) against the installed DLLs, the window-thread
#    recipes on a Unicode window pumped by a thread of its own.
# usage: check-guide-code.sh [ABI [PREFIX]]
#   ABI     gcc (the mingw-i686 preset, the default) or msvc (msvc-i686); it
#           names the closing line, guide-ABI: N passed, F failed
#   PREFIX  an installed tree (cmake --install of that build); without it the
#           preset is built and installed into a scratch folder
set -uo pipefail
cd "$(dirname "$0")/../.."

source tests/wine/harness.sh
readonly guide=docs/host-guide.md
readonly abi=${1:-gcc}
case $abi in
  gcc)
    readonly preset=mingw-i686
    readonly compiler=(i686-w64-mingw32-g++)
    link_with() { echo -L"$1/lib" -lqmframework -static-libgcc -static-libstdc++; } ;;
  msvc)
    readonly preset=msvc-i686
    readonly compiler=(clang++ @"$PWD/build/msvc-i686/host-compile.rsp")
    link_with() { echo @"$PWD/build/msvc-i686/host-link.rsp" "$1/lib/qmframework.lib"; } ;;
  *) echo "usage: check-guide-code.sh [gcc|msvc [PREFIX]]" >&2; exit 2 ;;
esac
readonly flags=(-std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror)
work=$(mktemp -d /tmp/qminput-guide.XXXXXX)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 2 ]; then
  prefix=$2
else
  echo "=== build and install the $preset preset"
  prefix=$work/prefix
  { cmake --preset "$preset" && cmake --build --preset "$preset" -j2 &&
    cmake --install "build/$preset" --prefix "$prefix"; } >"$work/build.txt" 2>&1 ||
    { cat "$work/build.txt"; echo "FAIL the build or install failed"; exit 1; }
fi

# Each ```cpp block (indented inside a list item too) becomes
# $work/block-N.cpp, opened by a #line directive naming its page and first
# line; an unclosed block is written as block-N.unclosed.
pages=("$guide" $(ls docs/*.md | grep -vx "$guide"))
awk -v dir="$work" '
  FNR == 1 && block { block = 0; close(file); system("mv " file " " dir "/block-" count ".unclosed") }
  !block && match($0, /^ *```cpp *$/) {
    block = 1; count++; indent = index($0, "`") - 1
    file = dir "/block-" count ".cpp"
    printf "#line %d \"%s\"\n", FNR + 1, FILENAME > file
    next
  }
  block && substr($0, indent + 1) ~ /^```/ { block = 0; close(file); next }
  block {
    line = $0
    if (substr(line, 1, indent) ~ /^ *$/) line = substr(line, indent + 1)
    print line > file
  }
  END { if (block) { close(file); system("mv " file " " dir "/block-" count ".unclosed") } }
' "${pages[@]}"

count=$(find "$work" -maxdepth 1 -name 'block-*' | wc -l)
if [ "$count" -eq 0 ]; then
  fail "the host guide has C++ blocks" "none found in $guide"
fi
: >"$work/program.cpp"
for n in $(seq "$count"); do
  block=$work/block-$n.cpp
  if [ ! -f "$block" ]; then
    fail "C++ block $n of docs/" "its fence is never closed"
    break
  fi
  where=$(sed -n '1s/^#line \([0-9]*\) "\(.*\)"$/\2:\1/p' "$block")
  cat "$block" >>"$work/program.cpp"
  name="C++ block $n of docs/ ($where) compiles with the blocks before it"
  if "${compiler[@]}" "${flags[@]}" -I"$prefix/include" -c "$work/program.cpp" -o "$work/program.o" \
       2>"$work/cc.txt"; then
    pass "$name"
  else
    fail "$name" "$(cat "$work/cc.txt")"
    break  # the blocks after it build on it
  fi
done

# Each PASS or FAIL line of the run counts as one check.
run_guide_code() {
  local run=$work/run
  mkdir "$run" && cp "$prefix/bin/qminput.dll" "$prefix/bin/qmframework.dll" "$run/" &&
    cp "$work/program.cpp" "$work/guide-blocks.cpp" || { fail "the guide's code runs" "no DLLs in $prefix/bin"; return; }
  # shellcheck disable=SC2046  # the link's words, split on purpose
  if ! "${compiler[@]}" "${flags[@]}" -I"$prefix/include" -I"$work" tests/guide/GuideCodeRun.cpp \
       -o "$run/guide-code.exe" $(link_with "$prefix") 2>"$work/cc.txt"; then
    fail "the guide's code links into a program" "$(cat "$work/cc.txt")"
    return
  fi
  local missing
  missing=$(missing_wine_tool)
  if [ -n "$missing" ]; then
    skip "the guide's code runs under Wine" "no $missing (scripts/install-wine.sh)"
    return
  fi
  echo "=== the guide's code under Wine"
  local harness=$PWD/tests/wine/harness.sh
  (cd "$run" && in_fresh_wine_display timeout 300 bash -c \
     'source "$1"; boot_wine_prefix >/dev/null 2>&1; wine guide-code.exe; status=$?; stop_wine; exit $status' \
     _ "$harness") 2>&1 | tr -d '\r' >"$work/run.txt"
  local status=${PIPESTATUS[0]}
  grep -E '^(PASS|FAIL) ' "$work/run.txt"
  count_check_lines "$work/run.txt"
  if [ "$status" -ne 0 ] && ! grep -q '^FAIL ' "$work/run.txt"; then
    cat "$work/run.txt"
    fail "the guide's code runs under Wine" "exit status $status"
  fi
}

[ "$failed" -eq 0 ] && run_guide_code

finish_stage "guide-$abi"

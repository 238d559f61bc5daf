#!/usr/bin/env bash
# What a game developer receives: the install layout, the two zips, a host
# compiled from the installed tree alone, and debug information that still
# symbolises a crash address. Runs after the mingw-w64 build (scripts/test.sh
# picks it up); builds what is missing itself.
set -uo pipefail
cd "$(dirname "$0")/.."

readonly layout=tests/package/install-layout.txt
readonly build=build/mingw-i686
readonly packages=build/packages
readonly prefix_tool=i686-w64-mingw32
version=$(sed -n 's/^project(qminput VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
readonly version
readonly top="qminput-$version-win32"
work=$(mktemp -d /tmp/qminput-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }

# The files of a tree or a zip, one relative path a line, sorted.
tree_files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
zip_files() { cmake -E tar tf "$1" | grep -v '/$' | LC_ALL=C sort; }
expected_files() { grep -v '^#' "$layout" | grep "$@" | LC_ALL=C sort; }

# Compares a listing with the expected one, naming what differs.
same_files() {
  local name=$1 expected=$2 actual=$3
  if diff -u "$expected" "$actual" >"$work/diff.txt"; then
    pass "$name"
  else
    fail "$name" "differs (- expected, + actual):"
    sed 1,2d "$work/diff.txt"
  fi
}

echo "=== build, install and zip (version $version)"
cmake --preset mingw-i686 >/dev/null &&
  cmake --build --preset mingw-i686 >/dev/null &&
  cmake --install "$build" --prefix "$work/prefix" >/dev/null &&
  rm -f "$packages"/qminput-*.zip &&
  cpack --preset mingw-i686 >/dev/null || { echo "FAIL the build, install or cpack failed"; exit 1; }
prefix=$work/prefix

expected_files . >"$work/all.txt"
tree_files "$prefix" >"$work/installed.txt"
same_files "install layout" "$work/all.txt" "$work/installed.txt"

expected_files -v '\.debug$' | sed "s|^|$top/|" >"$work/release.txt"
zip_files "$packages/$top.zip" >"$work/release-zip.txt"
same_files "$top.zip listing" "$work/release.txt" "$work/release-zip.txt"
expected_files '\.debug$' | sed "s|^|$top/|" >"$work/debug.txt"
zip_files "$packages/$top-debug.zip" >"$work/debug-zip.txt"
same_files "$top-debug.zip listing" "$work/debug.txt" "$work/debug-zip.txt"

# The host guide's command for each example host, from an empty folder: nothing
# of the source tree is reachable; no MinGW runtime DLL is needed, and
# qminput.dll is loaded at run time, not imported.
for example in GameHost WindowThreadHost; do
  mkdir "$work/$example" && cp "$prefix/share/doc/qminput/examples/$example.cpp" "$work/$example/"
  name="the example $example.cpp compiles against the installed tree"
  if (cd "$work/$example" && "$prefix_tool-g++" -std=c++20 -O2 -Wall -Wextra -I"$prefix/include" "$example.cpp" \
        -o game-host.exe -L"$prefix/lib" -lqmframework -static-libgcc -static-libstdc++) 2>"$work/cc.txt"; then
    pass "$name"
  else
    fail "$name" "$(cat "$work/cc.txt")"
  fi
  imports=$("$prefix_tool-objdump" -p "$work/$example/game-host.exe" 2>/dev/null | sed -n 's/^\tDLL Name: //p' |
            tr 'A-Z' 'a-z' | LC_ALL=C sort | tr '\n' ' ')
  name="the example $example.cpp needs no MinGW runtime DLL and loads qminput.dll itself"
  if [ "$imports" = "kernel32.dll msvcrt.dll qmframework.dll user32.dll " ]; then
    pass "$name"
  else
    fail "$name" "imports: $imports"
  fi
done

# Every installed header, from the installed tree alone; none may configure the host's <windows.h>.
(cd "$prefix/include" && find . -name '*.h' | sed 's|^\./||' | LC_ALL=C sort) |
  sed 's|.*|#include "&"|' >"$work/headers.cpp"
printf '%s\n' '#ifdef WIN32_LEAN_AND_MEAN' '#error a header defines WIN32_LEAN_AND_MEAN' '#endif' >>"$work/headers.cpp"
if "$prefix_tool-g++" -std=c++20 -fsyntax-only -I"$prefix/include" "$work/headers.cpp" 2>"$work/cc.txt"; then
  pass "the installed headers compile from the installed tree alone and leave <windows.h> to the host"
else
  fail "the installed headers compile from the installed tree alone and leave <windows.h> to the host" "$(cat "$work/cc.txt")"
fi

# Both zips unpacked into one folder: the shipped DLL has no symbols of its
# own, and an address in it resolves to the module's source through its
# .gnu_debuglink to the .debug file beside it.
mkdir "$work/unzipped" && (cd "$work/unzipped" &&
  cmake -E tar xf "$OLDPWD/$packages/$top.zip" && cmake -E tar xf "$OLDPWD/$packages/$top-debug.zip")
dll=$work/unzipped/$top/bin/qminput.dll
address=$("$prefix_tool-nm" "$dll.debug" | awk '$3 == "__ZN17CQmDi8InputServer16EnumerateDevicesEv" { print $1 }')
where=$([ -n "$address" ] && "$prefix_tool-addr2line" -e "$dll" "0x$address")
if [ -n "$("$prefix_tool-nm" "$dll" 2>/dev/null)" ]; then
  fail "a crash address symbolises through the debug zip" "the shipped DLL still has symbols"
elif [[ "$where" == */server/*.cpp:[1-9]* ]]; then
  pass "a crash address symbolises through the debug zip ($(basename "$where"))"
else
  fail "a crash address symbolises through the debug zip" "address ${address:-none} gave '$where'"
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

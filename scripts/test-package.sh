#!/usr/bin/env bash
# What a game developer receives, for each C++ ABI (gcc: the mingw-w64 build;
# msvc: the Microsoft-ABI build): the install layout, the two zips, a host
# compiled from the installed tree alone, and debug information that still
# symbolises a crash address. Runs after the Windows builds (scripts/test.sh
# picks it up); builds what is missing itself. One closing line per ABI.
set -uo pipefail
cd "$(dirname "$0")/.."

readonly packages=build/packages
version=$(sed -n 's/^project(qminput VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
readonly version
work=$(mktemp -d /tmp/qminput-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

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

# The decorated name of a member from the ABI's golden export list ("bound:KEY NAME").
bound_name() { sed -n "s/^bound:$2 //p" "tests/exports/$1.exports"; }

# An example host (SOURCE) and a file of every header, compiled the way a host
# of this ABI compiles: mingw-w64's g++, or clang for the Microsoft ABI with
# the build's runtime standing in for the Microsoft compiler's.
compile_example() {
  if [ "$abi" = gcc ]; then
    i686-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -I"$prefix/include" "$1" \
      -o game-host.exe -L"$prefix/lib" -lqmframework -static-libgcc -static-libstdc++
  else
    clang++ @"$build/host-compile.rsp" -O2 -Wall -Wextra -I"$prefix/include" "$1" \
      -o game-host.exe @"$build/host-link.rsp" "$prefix/lib/qmframework.lib"
  fi
}
compile_headers() {
  if [ "$abi" = gcc ]; then
    i686-w64-mingw32-g++ -std=c++20 -fsyntax-only -I"$prefix/include" "$1"
  else
    clang++ @"$build/host-compile.rsp" -fsyntax-only -I"$prefix/include" "$1"
  fi
}

# The source line an exported function's address resolves to, through the
# debug information of the unzipped folder alone: the .gnu_debuglink's .debug
# file (gcc) or the .pdb beside the DLL (msvc).
symbolise_export() {
  local dll=$1 name=$2 address
  if [ "$abi" = gcc ]; then
    address=$(i686-w64-mingw32-nm "$dll.debug" | awk -v name="_$name" '$3 == name { print $1 }')
    [ -n "$address" ] && i686-w64-mingw32-addr2line -e "$dll" "0x$address"
  else
    address=$(llvm-readobj --coff-exports "$dll" | awk -v name="$name" '$2 == name { getline; print $2 }')
    [ -n "$address" ] && llvm-symbolizer --obj="$dll" "$(printf '0x%x' $((0x10000000 + address)))" | sed -n 2p
  fi
}

# The shipped DLL carries no symbol table of its own: its debug information
# is only in the debug zip.
has_own_symbols() {
  if [ "$abi" = gcc ]; then
    [ -n "$(i686-w64-mingw32-nm "$1" 2>/dev/null)" ]
  else
    llvm-readobj --file-headers "$1" | grep -q 'SymbolCount: [1-9]'
  fi
}

package_test() {
  abi=$1 passed=0 failed=0
  local preset=mingw-i686
  [ "$abi" = msvc ] && preset=msvc-i686
  build=$PWD/build/$preset
  layout=tests/package/install-layout-$abi.txt
  local top="qminput-$version-win32-$abi"
  prefix=$work/$abi/prefix
  mkdir -p "$work/$abi"

  echo "=== $abi: build, install and zip (version $version)"
  if ! { cmake --preset "$preset" >/dev/null &&
         cmake --build --preset "$preset" >/dev/null &&
         cmake --install "$build" --prefix "$prefix" >/dev/null &&
         rm -f "$packages/$top.zip" "$packages/$top-debug.zip" &&
         cpack --preset "$preset" >/dev/null; }; then
    fail "$abi build, install and cpack" "failed"
    echo "package-$abi: $passed passed, $failed failed"
    return 1
  fi

  expected_files . >"$work/$abi/all.txt"
  tree_files "$prefix" >"$work/$abi/installed.txt"
  same_files "$abi install layout" "$work/$abi/all.txt" "$work/$abi/installed.txt"

  local debug_files='\.(debug|pdb)$'
  expected_files -Ev "$debug_files" | sed "s|^|$top/|" >"$work/$abi/release.txt"
  zip_files "$packages/$top.zip" >"$work/$abi/release-zip.txt"
  same_files "$top.zip listing" "$work/$abi/release.txt" "$work/$abi/release-zip.txt"
  expected_files -E "$debug_files" | sed "s|^|$top/|" >"$work/$abi/debug.txt"
  zip_files "$packages/$top-debug.zip" >"$work/$abi/debug-zip.txt"
  same_files "$top-debug.zip listing" "$work/$abi/debug.txt" "$work/$abi/debug-zip.txt"

  # The host guide's command for each example host, from an empty folder:
  # nothing of the source tree is reachable; no compiler runtime DLL is needed,
  # and qminput.dll is loaded at run time, not imported.
  local example host imports name
  for example in GameHost WindowThreadHost; do
    host=$work/$abi/$example
    mkdir -p "$host" && cp "$prefix/share/doc/qminput/examples/$example.cpp" "$host/"
    name="$abi: the example $example.cpp compiles against the installed tree"
    if (cd "$host" && compile_example "$example.cpp") 2>"$work/cc.txt"; then
      pass "$name"
    else
      fail "$name" "$(cat "$work/cc.txt")"
    fi
    # Two import libraries may name msvcrt.dll: it counts once.
    imports=$(i686-w64-mingw32-objdump -p "$host/game-host.exe" 2>/dev/null | sed -n 's/^\tDLL Name: //p' |
              tr 'A-Z' 'a-z' | LC_ALL=C sort -u | tr '\n' ' ')
    name="$abi: the example $example.cpp needs no compiler runtime DLL and loads qminput.dll itself"
    if [ "$imports" = "kernel32.dll msvcrt.dll qmframework.dll user32.dll " ]; then
      pass "$name"
    else
      fail "$name" "imports: $imports"
    fi
  done

  # Every installed header, from the installed tree alone; none may configure the host's <windows.h>.
  (cd "$prefix/include" && find . -name '*.h' | sed 's|^\./||' | LC_ALL=C sort) |
    sed 's|.*|#include "&"|' >"$work/$abi/headers.cpp"
  printf '%s\n' '#ifdef WIN32_LEAN_AND_MEAN' '#error a header defines WIN32_LEAN_AND_MEAN' '#endif' >>"$work/$abi/headers.cpp"
  if compile_headers "$work/$abi/headers.cpp" 2>"$work/cc.txt"; then
    pass "$abi: the installed headers compile from the installed tree alone and leave <windows.h> to the host"
  else
    fail "$abi: the installed headers compile from the installed tree alone and leave <windows.h> to the host" "$(cat "$work/cc.txt")"
  fi

  # Both zips unpacked into one folder: an exported function's address in the
  # shipped DLL resolves to the module's source through the debug zip.
  local unzipped=$work/$abi/unzipped
  mkdir "$unzipped" && (cd "$unzipped" &&
    cmake -E tar xf "$OLDPWD/$packages/$top.zip" && cmake -E tar xf "$OLDPWD/$packages/$top-debug.zip")
  local dll=$unzipped/$top/bin/qminput.dll where
  where=$(symbolise_export "$dll" "$(bound_name "$abi" enumerate-devices)")
  if has_own_symbols "$dll"; then
    fail "$abi: a crash address symbolises through the debug zip" "the shipped DLL still has symbols"
  elif [[ "$where" == */server/*.cpp:[1-9]* ]]; then
    pass "$abi: a crash address symbolises through the debug zip ($(basename "$where"))"
  else
    fail "$abi: a crash address symbolises through the debug zip" "gave '$where'"
  fi

  echo "package-$abi: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

status=0
package_test gcc || status=1
package_test msvc || status=1
exit "$status"

#!/usr/bin/env bash
# Fails when the module DLL does not export, under its own class's name, every
# member of the golden list of its C++ ABI (tests/exports/ABI.exports, typed
# from the classes' declarations by that ABI's decoration rules).
# usage: check-exports.sh path/to/qminput.dll gcc|msvc
set -euo pipefail

dll=${1:?usage: check-exports.sh path/to/qminput.dll gcc|msvc}
abi=${2:?usage: check-exports.sh path/to/qminput.dll gcc|msvc}
here=$(cd "$(dirname "$0")" && pwd)
golden="$here/../exports/$abi.exports"
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
[ -f "$golden" ] || { echo "FAIL no golden list $golden"; exit 1; }

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
if [ -z "$exports" ]; then
  echo "FAIL $dll exports nothing"
  exit 1
fi

# The golden names, class by class ("# Class" opens a class's lines).
failed=0
check_class() {
  local class=$1; shift
  local missing=() name
  for name in "$@"; do
    grep -qxF -- "$name" <<<"$exports" || missing+=("$name")
  done
  if [ -z "$class" ]; then return; fi
  if [ "${#missing[@]}" -eq 0 ]; then
    echo "ok   $class ($# names)"
  else
    echo "FAIL $class lacks: ${missing[*]}"
    failed=1
  fi
}

class="" names=()
while IFS= read -r line; do
  if [[ "$line" =~ ^#\ (CQm[A-Za-z0-9]+)$ ]]; then
    check_class "$class" "${names[@]}"
    class=${BASH_REMATCH[1]} names=()
  elif [[ -n "$line" && "$line" != \#* ]]; then
    names+=("${line##* }")
  fi
done <"$golden"
check_class "$class" "${names[@]}"

# What the module takes from the framework crosses between two C++ runtimes in
# a real host: no standard-library type and no allocation function may be in it.
std_names='St[0-9]|NSt|_Zn[wa]|_Zd[la]|@std@@|^\?\?[23_][UV]?@'
crossing=$("$objdump" -p "$dll" | awk '/DLL Name: qmframework.dll/ { on = 1; next } /DLL Name:/ { on = 0 } on && NF >= 3 { print $NF }' |
           grep -E "$std_names" || true)
if [ -z "$crossing" ]; then
  echo "ok   the framework's calls pass no standard-library object"
else
  echo "FAIL the framework's calls pass standard-library objects or memory: $crossing"
  failed=1
fi
exit "$failed"

#!/usr/bin/env bash
# Fails when the module DLL does not export one of its six classes whole: the
# class type static, the virtual table, construction and destruction, and the
# members a host binds to by name.
# usage: check-exports.sh path/to/qminput.dll
set -euo pipefail

dll=${1:?usage: check-exports.sh path/to/qminput.dll}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

# class  members, as fragments of their mangled names
classes=(
  "CQmDi8InputServer  8_s_oTypeE C1Ev D0Ev 16EnumerateDevicesEv 11FreeDevicesEv 9NewDevice 12DeleteDevice"
  "CQmDi8Joystick     8_s_oTypeE C1Ev D0Ev 6CreateERK5_GUID 7DestroyEv"
  "CQmDi8Keyboard     8_s_oTypeE C1Ev D0Ev 6CreateERK5_GUID 7DestroyEv 5ResetEv 4PollEv"
  "CQmDi8Mouse        8_s_oTypeE C1Ev D0Ev 6CreateERK5_GUID 7DestroyEv 4PollEv"
  "CQmWindowsKeyboard 8_s_oTypeE C1Ev D0Ev 6CreateEv 7DestroyEv 13WindowProcNew 15CallWindowProcA 15NewKeyDownEvent 13NewKeyUpEvent 15NewKeyCharEvent"
  "CQmWindowsMouse    8_s_oTypeE C1Ev D0Ev 6CreateEv 7DestroyEv 13WindowProcNew 15CallWindowProcA 17NewMouseMoveEvent 19NewMouseButtonEvent 18NewMouseWheelEvent"
)

exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
if [ -z "$exports" ]; then
  echo "FAIL $dll exports nothing"
  exit 1
fi

failed=0
for entry in "${classes[@]}"; do
  read -r class members <<<"$entry"
  # Itanium names spell a class as its length and its name; a member may sit
  # in a template base that names the class as its argument.
  name="${#class}${class}"
  missing=()
  grep -qx "_ZTV${name}" <<<"$exports" || missing+=("virtual table")
  for member in $members; do
    grep -qE "${name}.*${member}" <<<"$exports" || missing+=("$member")
  done
  count=$(grep -c "${name}" <<<"$exports" || true)
  if [ "${#missing[@]}" -eq 0 ]; then
    echo "ok   $class ($count exports)"
  else
    echo "FAIL $class lacks: ${missing[*]}"
    failed=1
  fi
done
exit "$failed"

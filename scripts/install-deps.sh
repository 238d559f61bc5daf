#!/usr/bin/env bash
# Installs the native and cross toolchains the build and tests need.
# Idempotent: only missing packages are fetched. Runs as root (CI and dev machines).
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake ninja-build g++ clang libclang-rt-14-dev llvm libgtest-dev libgmock-dev \
           libbenchmark-dev g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 diffutils gcovr \
           lld libc++-14-dev; do
  have "$pkg" || need+=("$pkg")
done

if [ "${#need[@]}" -gt 0 ]; then
  echo "installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror in mid-sync fails one index; the others still serve the install.
  apt-get update -qq || echo "apt-get update failed in part; installing from the indexes it has"
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

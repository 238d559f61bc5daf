#!/usr/bin/env bash
# Installs what the end-to-end tests under Wine need: Debian's Wine 8 with the
# 32-bit side (wine32:i386), Xvfb, xdotool and xmodmap. Where the kernel cannot run
# 32-bit x86 code itself, the i386 side runs under qemu-i386 through
# binfmt_misc. Idempotent; runs as root (CI and dev machines).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

APT_OPTS=(-y -q --no-install-recommends -o DPkg::Lock::Timeout=600)
I386_LOADER=/lib/ld-linux.so.2
BINFMT_DIR=/proc/sys/fs/binfmt_misc
BINFMT_NAME=qemu-i386
BACKPORTS_LIST=/etc/apt/sources.list.d/bookworm-backports.sources

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

apt_updated=0
apt_update() {
  # The i386 security index sometimes fails to download; what matters is that
  # the bookworm release index is there, which the installs pin with -t.
  [ "$apt_updated" = 1 ] && return 0
  apt-get update -q -o DPkg::Lock::Timeout=600 || echo "apt-get update reported errors; going on"
  apt_updated=1
}

install_wine() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    apt_updated=0
  fi
  local need=()
  for pkg in wine wine64 wine32:i386 xvfb xauth xdotool x11-xserver-utils; do
    have "$pkg" || need+=("$pkg")
  done
  [ "${#need[@]}" -eq 0 ] && return 0
  echo "installing: ${need[*]}"
  apt_update
  # Pinning the release keeps amd64 and i386 library versions in step when
  # the security index of one architecture is missing.
  apt-get -t bookworm install "${APT_OPTS[@]}" "${need[@]}"
}

runs_i386() { "$I386_LOADER" --version >/dev/null 2>&1; }

qemu_major() {
  local q
  q=$(command -v qemu-i386 || command -v qemu-i386-static || true)
  [ -n "$q" ] || { echo 0; return; }
  "$q" --version | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p' | head -n1
}

qemu_path() { command -v qemu-i386-static || command -v qemu-i386; }

install_qemu() {
  # bookworm's qemu 7.2 cannot map Wine's shared user data; 8 and later can.
  [ "$(qemu_major)" -ge 8 ] 2>/dev/null && return 0
  if [ ! -e "$BACKPORTS_LIST" ] && ! grep -rqs bookworm-backports /etc/apt/sources.list /etc/apt/sources.list.d/; then
    cat >"$BACKPORTS_LIST" <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt_updated=0
  fi
  apt_update
  apt-get -t bookworm-backports install "${APT_OPTS[@]}" qemu-user
}

register_binfmt() {
  [ -e "$BINFMT_DIR/register" ] || mount -t binfmt_misc binfmt_misc "$BINFMT_DIR"
  if [ -e "$BINFMT_DIR/$BINFMT_NAME" ]; then
    grep -q "$(qemu_path)" "$BINFMT_DIR/$BINFMT_NAME" && return 0
    echo -1 >"$BINFMT_DIR/$BINFMT_NAME"
  fi
  # 32-bit little-endian ELF executables and shared objects for x86.
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":$BINFMT_NAME:M::$magic:$mask:$(qemu_path):F" >"$BINFMT_DIR/register"
}

install_wine
# QM_WINE_QEMU=1 takes the qemu route even where the kernel could run the code,
# to try that route on such a machine.
if [ "${QM_WINE_QEMU:-0}" = 1 ] || ! runs_i386; then
  echo "this kernel cannot run 32-bit x86 code: running it under qemu-i386"
  install_qemu
  register_binfmt
  runs_i386 || { echo "32-bit x86 code still does not run" >&2; exit 1; }
fi
wine --version

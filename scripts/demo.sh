#!/usr/bin/env bash
# Builds qminput-monitor (release preset, only what it needs) and runs its
# built-in demonstration: the input module's main paths, event by event.
# The build is quiet; its log is shown only if it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

log="$(mktemp)"
trap 'rm -f "$log"' EXIT

quietly() {
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "demo.sh: '$*' failed" >&2
    exit 1
  fi
}

if ! command -v cmake >/dev/null || ! command -v ninja >/dev/null || ! command -v g++ >/dev/null; then
  bash scripts/install-deps.sh
fi

if [ ! -f build/release/build.ninja ]; then
  echo "Building qminput-monitor (release) ..." >&2
  quietly cmake --preset release
fi
quietly cmake --build build/release -j2 --target qminput-monitor

exec build/release/bin/qminput-monitor demo

#!/usr/bin/env bash
# The README's host guide: every C++ block compiles against the installed tree.
exec bash "$(dirname "$0")/../tests/guide/compile-guide-snippets.sh" "$@"

#!/usr/bin/env bash
# The host guide and the other pages of docs/: every C++ block compiles against the installed
# tree, and the recipes' code runs under Wine.
exec bash "$(dirname "$0")/../tests/guide/check-guide-code.sh" "$@"

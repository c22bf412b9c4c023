#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix and display.
# Used by CTest as the cross-compiling emulator; scripts/wine-env.sh sets the environment
# (including the "wine" of the right architecture first on PATH).
set -u
: "${WINEPREFIX:?WINEPREFIX must be set (scripts/wine-env.sh sets it); without it wine would create ~/.wine}"
: "${DISPLAY:?DISPLAY must be set}"
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"

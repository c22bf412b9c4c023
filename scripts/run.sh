#!/usr/bin/env bash
# Installs what is missing, builds Korvi8.exe and runs it under Wine.
# On the user's X display when there is one (until the pager exits); otherwise on a
# virtual display for a few seconds, saving a screenshot and printing its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KORVI_BUILD_DIR:-$root/build}/win"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target Korvi8

source "$root/scripts/wine-env.sh"
if [ -n "${DISPLAY:-}" ] && [ "${KORVI_HEADLESS:-0}" != 1 ]; then
  export KORVI_USE_OWN_DISPLAY=0
  trap wine_env_stop EXIT
  wine_env_start "$build"
  echo "Korvi8 runs on $DISPLAY; choose Exit from its right-click menu to end it."
  wine "$build/dist/Korvi8.exe"
else
  trap wine_env_stop EXIT
  wine_env_start "$build"
  shots="${KORVI_BUILD_DIR:-$root/build}/screenshots"
  mkdir -p "$shots"
  wine "$build/dist/Korvi8.exe" &
  pid=$!
  sleep "${KORVI_RUN_SECONDS:-6}"
  import -display "$DISPLAY" -window root "$shots/korvi8-run.png"
  kill "$pid" 2>/dev/null || true
  echo "Korvi8 ran on a virtual display; screenshot: $shots/korvi8-run.png"
fi

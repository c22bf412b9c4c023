#!/usr/bin/env bash
# Installs what is missing, builds Korvi8.exe and runs it under Wine: the shipped 32-bit build where
# this machine can execute 32-bit code, else the 64-bit build under 64-bit Wine.
# On the user's X display when there is one (until the pager exits); otherwise on a
# virtual display for a few seconds, saving a screenshot and printing its path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"

if korvi_can_run_wine32; then arch=i686; else arch=x86_64; echo "Korvi8: running the 64-bit build: $KORVI_NO32_WHY"; fi
build=$(korvi_win_build_dir "${KORVI_BUILD_DIR:-$root/build}" "$arch")
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target Korvi8
wine_env_arch "$arch" "$build"

trap wine_env_stop EXIT
if [ -n "${DISPLAY:-}" ] && [ "${KORVI_HEADLESS:-0}" != 1 ]; then
  export KORVI_USE_OWN_DISPLAY=0
  wine_env_start "$build"
  echo "Korvi8 runs on $DISPLAY; choose Exit from its right-click menu to end it."
  wine "$build/dist/Korvi8.exe"
else
  # The virtual display the size of Wine's virtual desktop, so the screenshot shows just the desktop.
  export KORVI_XVFB_SIZE=1024x768
  wine_env_start "$build"
  shots="${KORVI_BUILD_DIR:-$root/build}/screenshots"
  mkdir -p "$shots"
  wine "$build/dist/Korvi8.exe" &
  pid=$!
  sleep "${KORVI_RUN_SECONDS:-6}"
  import -display "$DISPLAY" -window root "$shots/korvi8-run.png"
  kill "$pid" 2>/dev/null || true
  echo "Korvi8 ($arch) ran on a virtual display; screenshot: $shots/korvi8-run.png"
fi

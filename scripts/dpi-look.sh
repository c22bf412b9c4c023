#!/usr/bin/env bash
# The look at 96, 120 and 144 dots per inch: for each, a fresh Wine prefix set to that resolution,
# on a desktop that grows with it (1024 x 768 at 96 dpi, as one screen seen at each scale), runs
# the end-to-end test LookEndToEnd (tests/e2e/Look_e2e.cpp) of a 64-bit test build. It checks
# that every window lies on the screen with its controls inside, and leaves its screenshots in
# BUILD_ROOT/screenshots/dpi-NNN/look-*.png to be looked at.
#   scripts/dpi-look.sh [BUILD_ROOT] [DPI...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 120 144)
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
tests=$(korvi_win_build_dir "$build" x86_64)/korvi_e2e_tests.exe
[ -f "$tests" ] || { echo "dpi-look: no $tests (build the 64-bit tests first)" >&2; exit 1; }
work=""
trap 'wine_env_stop; [ -n "$work" ] && rm -rf "$work"' EXIT

status=0
for dpi in "${dpis[@]}"; do
  echo "=== $dpi dpi"
  work=$(mktemp -d "$build/dpi-look.XXXXXX")
  size="$((1024 * dpi / 96))x$((768 * dpi / 96))"
  unset KORVI_WINE_ARCH
  wine_env_arch x86_64 "$work"
  KORVI_XVFB_SIZE=1600x1200 wine_env_start "$work" Default "$size" || { status=1; continue; }
  hex=$(printf '%08x' "$dpi")
  cat >"$work/dpi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$hex

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$hex
REG
  wine regedit.exe /S "$work/dpi.reg" </dev/null >/dev/null 2>&1
  wine_env_server "$work" Default "$size"  # a new server and desktop read the new resolution
  shots="$build/screenshots/dpi-$dpi"
  rm -rf "$shots"; mkdir -p "$shots"
  KORVI_LOOK_DPI=$dpi KORVI_SCREENSHOT_DIR="Z:${shots//\//\\}" \
    "$root/scripts/wine-run.sh" "$tests" --gtest_brief=1 --gtest_filter='LookEndToEnd.*' </dev/null >"$work/log" 2>&1 ||
    status=1
  cat "$work/log"
  wine_env_stop
  for f in "$shots"/*.bmp; do [ -e "$f" ] && convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
  echo "screenshots: $shots"
  rm -rf "$work"; work=""
done
exit $status

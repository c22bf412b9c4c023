#!/usr/bin/env bash
# The one test command: installs what is missing, builds, and runs all three test tiers.
#   tier 1: the portable logic under GoogleTest, natively and again under ASan + UBSan
#   tier 2: the Win32 layer under GoogleTest, cross-built and run under Wine
#   tier 3: the real Korvi8.exe under Wine on a virtual display, driven like a user
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KORVI_BUILD_DIR:-$root/build}"
jobs=$(nproc)

"$root/scripts/setup.sh"

configure() { # dir, extra cmake args...
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

status=0
step() { echo; echo "=== $*"; }

step "tier 1: native unit tests"
configure "$build/native"
cmake --build "$build/native" -j "$jobs"
(cd "$build/native" && ctest --output-on-failure) || status=1

step "tier 1: native unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
configure "$build/asan" -DKORVI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build/asan" -j "$jobs"
(cd "$build/asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure) || status=1

step "tiers 2 and 3: Win32 layer and the real Korvi8.exe under Wine"
configure "$build/win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build/win" -j "$jobs"
source "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start "$build/win"
shots="$build/screenshots"
mkdir -p "$shots"
# Windows programs see the folder through Wine's Z: drive.
export KORVI_SCREENSHOT_DIR="Z:${shots//\//\\}"
(cd "$build/win" && ctest --output-on-failure --timeout 600) || status=1

step "tier 3 on a desktop with a taskbar"
wine_env_server "$build/win" shell
KORVI_SHELL_DESKTOP=1 \
  "$root/scripts/wine-run.sh" "$build/win/korvi_e2e_tests.exe" --gtest_brief=1 --gtest_filter='Taskbar*' </dev/null || status=1

# Screenshots the end-to-end tests took, as PNG for any image viewer.
for f in "$shots"/*.bmp; do [ -e "$f" ] && /usr/bin/convert "$f" "${f%.bmp}.png" && rm -f "$f"; done

echo
if [ $status = 0 ]; then echo "=== all tiers passed"; else echo "=== FAILURES (see above)"; fi
exit $status

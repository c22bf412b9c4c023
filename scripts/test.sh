#!/usr/bin/env bash
# The one test command: installs what is missing, builds, and runs all three test tiers.
#   tier 1: the portable logic under GoogleTest, natively and again under ASan + UBSan
#   tier 2: the Win32 layer under GoogleTest, cross-built and run under Wine
#   tier 3: the real Korvi8.exe under Wine on a virtual display, driven like a user
# Tiers 2 and 3 run on the 64-bit Windows build under 64-bit Wine on every machine, and on the
# shipped 32-bit build too where the machine can execute 32-bit code (scripts/arch.sh decides by
# running a tiny 32-bit program; KORVI_SIMULATE_NO_32BIT=1 pretends it cannot).
# Both Windows builds are always compiled. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KORVI_BUILD_DIR:-$root/build}"
jobs=$(nproc)

"$root/scripts/setup.sh"
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
logs=$(mktemp -d)
trap 'wine_env_stop; rm -rf "$logs"' EXIT

configure() { # dir, extra cmake args...
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

status=0
summary=()
step() { echo; echo "=== $*"; }
# The failed tests a log names: CTest's list of failed tests and GoogleTest's failed cases.
failed_in() { # log
  { sed -n '/The following tests FAILED:/,/^$/p' "$1" | sed -nE 's/^[[:space:]]+[0-9]+ - ([^ ]+).*/\1/p'
    sed -nE 's/^\[  FAILED  \] ([^ ]+) \([0-9]+ ms\).*/\1/p' "$1"; } | awk '!seen[$0]++' | paste -sd' ' -
}
record() { # label, status, [log]
  if [ "$2" = 0 ]; then summary+=("passed   $1"); return; fi
  local names=""
  [ -n "${3:-}" ] && names=$(failed_in "$3")
  summary+=("FAILED   $1${names:+ (failed: $names)}"); status=1
}
# The end-to-end cases FILTER on a display of their own that was just started (UP 0 when
# it was), for the architecture and build folder of the loop below. They skip on any
# other display, so a skip fails the step too. The display is stopped afterwards.
e2e_on_own_display() { # up, log name, summary label, filter
  local rc="$1" log="$logs/$2-$arch.log"
  : >"$log"
  [ "$rc" = 0 ] && { "$root/scripts/wine-run.sh" "$dir/korvi_e2e_tests.exe" --gtest_brief=1 \
    --gtest_filter="$4" </dev/null >"$log" 2>&1 || rc=1; }
  cat "$log"
  grep -q "SKIPPED" "$log" && rc=1
  record "$3" "$rc" "$log"
  wine_env_stop
}

step "tier 1: native unit tests"
configure "$build/native"
cmake --build "$build/native" -j "$jobs"
rc=0; (cd "$build/native" && ctest --output-on-failure) 2>&1 | tee "$logs/native.log" || rc=1
record "tier 1 native" $rc "$logs/native.log"

step "tier 1: native unit tests under AddressSanitizer + UndefinedBehaviorSanitizer"
configure "$build/asan" -DKORVI_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build "$build/asan" -j "$jobs"
rc=0; (cd "$build/asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure) 2>&1 |
  tee "$logs/asan.log" || rc=1
record "tier 1 ASan+UBSan" $rc "$logs/asan.log"

if korvi_can_run_wine32; then runnable=" i686 x86_64 "; else runnable=" x86_64 "; fi
for arch in i686 x86_64; do
  dir=$(korvi_win_build_dir "$build" "$arch")
  step "Windows build ($arch)"
  configure "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release
  rc=0; cmake --build "$dir" -j "$jobs" || rc=1
  record "Windows build $arch" $rc
  [ $rc = 0 ] || continue
  # Read from the file alone, so it vouches for a build this machine cannot run too.
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$dir/CMakeCache.txt")
  rc=0; python3 "$root/scripts/check-exe.py" "$dir/dist/Korvi8.exe" "$arch" --version "$version" || rc=1
  record "static checks of Korvi8.exe $arch (format, hardening, imports, manifest, version)" $rc
  if [ "${runnable#* $arch }" = "$runnable" ]; then
    echo "=== tiers 2 and 3 ($arch): skipped, because $KORVI_NO32_WHY"
    summary+=("skipped  tiers 2 and 3 $arch: $KORVI_NO32_WHY")
    continue
  fi

  step "tiers 2 and 3 ($arch): Win32 layer and the real Korvi8.exe under Wine"
  unset KORVI_WINE_ARCH
  wine_env_arch "$arch" "$dir"
  rc=0; wine_env_start "$dir" || rc=1
  shots="$build/screenshots/$arch"
  mkdir -p "$shots"
  # Windows programs see the folder through Wine's Z: drive.
  export KORVI_SCREENSHOT_DIR="Z:${shots//\//\\}"
  : >"$logs/wine-$arch.log"
  [ $rc = 0 ] && { (cd "$dir" && ctest --output-on-failure --timeout 600) 2>&1 | tee "$logs/wine-$arch.log" || rc=1; }
  record "tiers 2 and 3 $arch" $rc "$logs/wine-$arch.log"

  step "tier 3 on a desktop with a taskbar ($arch)"
  rc=0
  wine_env_server "$dir" shell || rc=1
  # Into a file, not a pipe: a program a test started could outlive it and hold a pipe open.
  : >"$logs/taskbar-$arch.log"
  [ $rc = 0 ] && { KORVI_SHELL_DESKTOP=1 "$root/scripts/wine-run.sh" "$dir/korvi_e2e_tests.exe" --gtest_brief=1 \
    --gtest_filter='Taskbar*' </dev/null >"$logs/taskbar-$arch.log" 2>&1 || rc=1; }
  cat "$logs/taskbar-$arch.log"
  record "tier 3 taskbar $arch" $rc "$logs/taskbar-$arch.log"

  step "tier 3 on a desktop 3840 pixels wide ($arch)"
  rc=0
  # A virtual display of its own, wide enough for the Wine desktop.
  wine_env_stop
  KORVI_XVFB_SIZE=3840x1200 wine_env_start "$dir" wide 3840x1080 || rc=1
  e2e_on_own_display $rc wide "tier 3 wide desktop $arch" '*WideScreen*'

  step "tier 3 on two monitors side by side ($arch)"
  rc=0
  wine_env_start_two_monitors "$dir" || rc=1
  e2e_on_own_display $rc monitors "tier 3 two monitors $arch" '*TwoMonitors*'

  # Screenshots the end-to-end tests took, as PNG for any image viewer.
  for f in "$shots"/*.bmp; do [ -e "$f" ] && /usr/bin/convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
done

step "release: the two zips, and the unzip test"
# The released exes are built apart from the test builds, as released (scripts/release.sh).
rc=0; "$root/scripts/release.sh" --out "$build/release" >"$logs/release.log" 2>&1 || rc=1
cat "$logs/release.log"
record "release zips (scripts/release.sh: both exes built as released, checked with their version)" $rc
if [ $rc = 0 ]; then
  rc=0; "$root/scripts/unzip-test.sh" "$build/release" "$build" >"$logs/unzip.log" 2>&1 || rc=1
  cat "$logs/unzip.log"
  record "unzip test (each zip's files; the runnable ones unpacked alone and started in a fresh Wine prefix)" $rc "$logs/unzip.log"
  korvi_can_run_wine32 || summary+=("skipped  starting the win32 zip: $KORVI_NO32_WHY (checked from its files only)")
fi

echo
echo "=== summary"
printf '  %s\n' "${summary[@]}"
if [ $status = 0 ]; then echo "=== all tiers passed"; else echo "=== FAILURES (see above)"; fi
exit $status

#!/usr/bin/env bash
# Runs tier 3 (the real Korvi8.exe under Wine, x86_64 build) N times in a row and prints how often
# each test passed, to tell a steady suite from a flaky one.
#   scripts/e2e-repeat.sh N [--load] [--shuffle] [--filter=PATTERN]
#   --load     two busy CPU loops run beside the tests (as on a loaded CI machine); they are
#              stopped afterwards, however the script ends
#   --shuffle  every run takes the tests in a new random order (its seed is printed)
#   --filter   a GoogleTest filter for the main run (default: all); the taskbar tests run on
#              their own desktop after it, as in scripts/test.sh, unless the filter leaves them out
# Builds the x86_64 Windows build first when needed, reusing its folder (KORVI_BUILD_DIR/win64).
# Each run's output is kept in build/e2e-repeat/. Exits non-zero when any run had a failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KORVI_BUILD_DIR:-$root/build}"

usage() { echo "usage: $0 N [--load] [--shuffle] [--filter=PATTERN]" >&2; exit 2; }
[ $# -ge 1 ] && [[ "$1" =~ ^[1-9][0-9]*$ ]] || usage
runs=$1; shift
load=0 shuffle=0 filter='*'
for a in "$@"; do
  case "$a" in
    --load) load=1 ;;
    --shuffle) shuffle=1 ;;
    --filter=*) filter="${a#--filter=}" ;;
    *) usage ;;
  esac
done

source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
dir=$(korvi_win_build_dir "$build" x86_64)

if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
fi
cmake --build "$dir" -j "$(nproc)" --target korvi_e2e_tests || exit 1

loaders=()
cleanup() {
  for p in "${loaders[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${loaders[@]}"; do wait "$p" 2>/dev/null; done
  loaders=()
  wine_env_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if [ $load = 1 ]; then
  for _ in 1 2; do (while :; do :; done) & loaders+=($!); done
fi

logs="$build/e2e-repeat"
mkdir -p "$logs" "$build/screenshots/x86_64"
export KORVI_SCREENSHOT_DIR="Z:${build//\//\\}\\screenshots\\x86_64"
wine_env_arch x86_64 "$dir"
wine_env_start "$dir" || exit 1
exe="$dir/korvi_e2e_tests.exe"

declare -A passed failed
order=()
count() { # log: adds each test's result to the tallies
  local line name
  while IFS= read -r line; do
    name=${line#*] }; name=${name%% (*}
    [ -n "${passed[$name]+x}" ] || { order+=("$name"); passed[$name]=0; failed[$name]=0; }
    case "$line" in
      "[       OK ]"*) passed[$name]=$((passed[$name] + 1)) ;;
      *) failed[$name]=$((failed[$name] + 1)) ;;
    esac
  done < <(grep -aE '^\[ +(OK|FAILED) +\] [A-Za-z0-9_]+\.[A-Za-z0-9_]+ \([0-9]+ ms\)' "$1")
}

status=0
for i in $(seq 1 "$runs"); do
  log="$logs/run$i.log"
  args=(--gtest_filter="$filter:-Taskbar*")
  if [ $shuffle = 1 ]; then args+=(--gtest_shuffle --gtest_random_seed=$((RANDOM % 99999 + 1))); fi
  start=$(date +%s)
  echo "=== run $i/$runs ${args[*]:1} (load at start:$(uptime | sed 's/.*load average://'))"
  "$root/scripts/wine-run.sh" "$exe" "${args[@]}" >"$log" 2>&1 </dev/null || status=1
  if [ "$filter" = '*' ] || [[ "$filter" == *Taskbar* ]]; then
    # The taskbar tests need a desktop with a taskbar: its own prefix, as in scripts/test.sh.
    wine_env_server "$dir" shell >/dev/null 2>&1
    KORVI_SHELL_DESKTOP=1 "$root/scripts/wine-run.sh" "$exe" --gtest_filter='Taskbar*' >>"$log" 2>&1 </dev/null ||
      status=1
    wine_env_server "$dir" >/dev/null 2>&1
  fi
  count "$log"
  echo "    $(( $(date +%s) - start )) s, load at end:$(uptime | sed 's/.*load average://');" \
    "failed: $(grep -aE '^\[  FAILED  \] [^ ]+ \([0-9]+ ms\)' "$log" | sed 's/^\[  FAILED  \] //; s/ (.*//' | tr '\n' ' ')"
done

echo
echo "=== passes of $runs runs$([ $load = 1 ] && echo ', under load')$([ $shuffle = 1 ] && echo ', shuffled')"
for name in "${order[@]}"; do
  printf '  %3d/%-3d %s\n' "${passed[$name]}" $((passed[$name] + failed[$name])) "$name"
done
exit $status

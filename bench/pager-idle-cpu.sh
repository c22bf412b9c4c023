#!/usr/bin/env bash
# CPU the idle pager uses under Wine, as the Linux kernel accounts it (all threads of
# the Korvi8.exe process), over a stretch of one-second ticks with a digital clock,
# an analogue clock and a load gauge on the panel.
# Usage: bench/pager-idle-cpu.sh [seconds]   (after scripts/test.sh has built the Windows builds;
# it measures the 32-bit build where this machine runs 32-bit Wine, else the 64-bit one)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
if korvi_can_run_wine32; then arch=i686; else arch=x86_64; fi
build=$(korvi_win_build_dir "$root/build" "$arch")
wine_env_arch "$arch" "$build"
trap wine_env_stop EXIT
wine_env_start "$build"
dir=$(mktemp -d)
cp "$build/dist/"* "$dir/"
printf '[FORM]\r\nHIDE=1\r\n[BUTTON11]\r\nVISIBLE=1\r\nLEFT=200\r\nTOP=4\r\nWIDTH=75\r\nHEIGHT=25\r\nIDATA=1000\r\n[BUTTON12]\r\nVISIBLE=1\r\nLEFT=300\r\nTOP=4\r\nWIDTH=90\r\nHEIGHT=90\r\nIDATA=1004\r\n[BUTTON13]\r\nVISIBLE=1\r\nLEFT=400\r\nTOP=4\r\nWIDTH=90\r\nHEIGHT=90\r\nIDATA=2000\r\n' >"$dir/Korvi8.ini"
(cd "$dir" && wine Korvi8.exe >/dev/null 2>&1 &)
sleep 6
pid=$(pgrep -x Korvi8.exe | head -1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
a=$(ticks); sleep "$seconds"; b=$(ticks)
awk -v t=$((b - a)) -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle pager: %.2f s CPU over %d s = %.3f %% of one core\n", t / hz, s, 100 * t / hz / s }'
kill "$pid" 2>/dev/null || true
rm -rf "$dir"

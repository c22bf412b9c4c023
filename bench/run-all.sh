#!/usr/bin/env bash
# Every benchmark of the pager in one table, each figure beside its reference measured in
# the same run (the machine may be busy with other work: only the ratios are comparable
# between runs). Short benchmarks run REPEAT times (3 unless told) and give medians; the
# idle stretch runs once, the pager and the minimal program side by side.
# The idle stretch starts IDLE_WARMUP seconds (105 unless told) after both programs show: by
# then the load gauges' history of 100 one-second samples is full, as on a panel that has
# sat on the screen for a while.
# Usage: bench/run-all.sh   (REPEAT=N, IDLE_SECONDS=S, IDLE_WARMUP=S to change them)
# Needs the Windows builds (scripts/test.sh, or cmake --build build/win64); it measures the
# 32-bit build where this machine runs 32-bit code, else the 64-bit one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
repeat=${REPEAT:-3}
idle_seconds=${IDLE_SECONDS:-60}
idle_warmup=${IDLE_WARMUP:-105}
source "$root/scripts/arch.sh"
source "$root/scripts/wine-env.sh"
if korvi_can_run_wine32; then arch=i686; else arch=x86_64; fi
build=$(korvi_win_build_dir "$root/build" "$arch")
benches=(panel_winbench switch_winbench settings_winbench ImagePreview_winbench korvi_minimal_window Korvi8)
cmake --build "$build" -j2 --target "${benches[@]}" >/dev/null
wine_env_arch "$arch" "$build"
trap wine_env_stop EXIT
wine_env_start "$build" >/dev/null

run() { "$root/scripts/wine-run.sh" "$build/$1.exe" "${@:2}" </dev/null 2>/dev/null | tr -d '\r'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The Nth number of a line.
field() { grep -oE '[0-9]+(\.[0-9]+)?' | sed -n "${1}p"; }
rows=()
row() { rows+=("$(printf '| %s | %s | %s | %s |' "$@")"); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "bench: switch" >&2
for n in 10 50 127; do
  for mode in plain hung; do
    pager=() bare=()
    for ((r = 0; r < repeat; r++)); do
      line=$(run switch_winbench "$n" "$([ $mode = hung ] && echo hung || echo plain)")
      case $line in *woke\ early*|"") echo "switch_winbench $n $mode: $line" >&2; continue ;; esac
      pager+=("$(echo "$line" | sed 's/.*pager //' | field 1)")
      bare+=("$(echo "$line" | sed 's/.*bare [0-9]* moves //' | field 1)")
    done
    p=$(printf '%s\n' "${pager[@]}" | median) b=$(printf '%s\n' "${bare[@]}" | median)
    what="switch, $n windows"
    [ $mode = hung ] && what="$what + 1 hung"
    row "$what" "$p ms" "$n bare moves: $b ms" "$(ratio "$p" "$b")×"
  done
done

echo "bench: save" >&2
ours=() api=()
for ((r = 0; r < repeat; r++)); do
  line=$(run settings_winbench)
  ours+=("$(echo "$line" | sed 's/.*ours //' | field 1)")
  api+=("$(echo "$line" | sed 's/.*one by one //' | field 1)")
done
o=$(printf '%s\n' "${ours[@]}" | median) a=$(printf '%s\n' "${api[@]}" | median)
row "full save, 128 buttons" "$o ms" "the profile API key by key: $a ms" "$(ratio "$a" "$o")× faster"

echo "bench: start-up" >&2
line=$(run panel_winbench startup 7)
p=$(echo "$line" | sed 's/.*pager median //' | field 1) m=$(echo "$line" | sed 's/.*minimal median //' | field 1)
row "start-up to first paint (warm, median of 7)" "$p ms" "minimal program: $m ms" "$(ratio "$p" "$m")×"

echo "bench: idle for $idle_seconds s after $idle_warmup s" >&2
# CPU as the kernel accounts it (user + system time of all threads, those that ended too, in
# clock ticks) of every process whose command line names the folder, in this Wine prefix: the
# pager and its guardian, or the minimal program. A tick is 10 ms: over 60 s, 0.017 % of a core.
hz=$(getconf CLK_TCK)
cpu_of() { # folder (as Windows names it)
  local total=0 pid
  for pid in $(grep -lF -- "$1\\" /proc/[0-9]*/cmdline 2>/dev/null | cut -d/ -f3); do
    pid=/proc/$pid
    # Other Wine prefixes on the machine may run programs from folders of the same name.
    { tr '\0' '\n' <"$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    total=$((total + $( { awk '{ print $14 + $15 }' "$pid/stat"; } 2>/dev/null || echo 0)))
  done
  echo "$total"
}
declare -A mem
out=$(mktemp)
# Straight into the file, not through run's filter, which would hold the lines back.
"$root/scripts/wine-run.sh" "$build/panel_winbench.exe" idle "$idle_seconds" "$idle_warmup" </dev/null >"$out" 2>/dev/null &
idle_job=$!
while ! grep -q '^idle-start' "$out"; do
  kill -0 $idle_job 2>/dev/null || { cat "$out" >&2; echo "the idle benchmark ended early" >&2; exit 1; }
  sleep 0.2
done
read -r _ pf mf < <(grep '^idle-start' "$out" | tr -d '\r')
p0=$(cpu_of "$pf") m0=$(cpu_of "$mf") t0=$(date +%s.%N)
while ! grep -q '^idle-stop' "$out"; do sleep 0.2; done
p1=$(cpu_of "$pf") m1=$(cpu_of "$mf") t1=$(date +%s.%N)
wait $idle_job || true
pct() { awk -v t="$1" -v hz="$hz" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", 100 * t / hz / (b - a) }'; }
pc=$(pct $((p1 - p0))) mc=$(pct $((m1 - m0)))
row "idle CPU, 6 clocks + 2 gauges + 10 launchers, ${idle_seconds} s (pager and guardian, from ${idle_warmup} s on)" "$pc % of a core" \
  "minimal program: $mc %" "+$(awk -v a="$pc" -v b="$mc" 'BEGIN { printf "%.3f", a - b }') points"
for who in pager minimal guardian; do
  line=$(grep "^memory $who:" "$out" | tr -d '\r' || true)
  mem[$who-private]=$(echo "$line" | sed 's/.*private //' | field 1)
  mem[$who-ws]=$(echo "$line" | sed 's/.*working set //' | field 1)
done
rm -f "$out"
row "private bytes, idle" "${mem[pager-private]} MB (guardian ${mem[guardian-private]} MB)" \
  "minimal program: ${mem[minimal-private]} MB" "+$(awk -v a="${mem[pager-private]}" -v b="${mem[minimal-private]}" 'BEGIN { printf "%.1f", a - b }') MB"
row "working set, idle" "${mem[pager-ws]} MB (guardian ${mem[guardian-ws]} MB)" \
  "minimal program: ${mem[minimal-ws]} MB" "+$(awk -v a="${mem[pager-ws]}" -v b="${mem[minimal-ws]}" 'BEGIN { printf "%.1f", a - b }') MB"

echo "bench: exe sizes" >&2
mb() { awk -v b="$1" 'BEGIN { printf "%.2f", b / 1048576 }'; }
sizes=() stripped=()
for a in i686 x86_64; do
  exe="$(korvi_win_build_dir "$root/build" "$a")/dist/Korvi8.exe"
  if [ ! -f "$exe" ]; then sizes+=("not built"); stripped+=("—"); continue; fi
  # A stripped copy, as a release would ship it (the build keeps its symbols).
  copy=$(mktemp)
  if [ $a = i686 ]; then triple=i686-w64-mingw32; else triple=x86_64-w64-mingw32; fi
  "$triple-strip" -o "$copy" "$exe"
  sizes+=("$(mb "$(stat -c %s "$exe")")") stripped+=("$(mb "$(stat -c %s "$copy")")")
  rm -f "$copy"
done
row "exe size, i686 / x86_64 (stripped copy)" "${stripped[0]} / ${stripped[1]} MB" \
  "unstripped: ${sizes[0]} / ${sizes[1]} MB" "—"

echo "bench: image preview" >&2
jpeg="$build/bench-12mp.jpg"
[ -f "$jpeg" ] || "$root/bench/make-bench-jpeg.sh" "$jpeg"
line=$(run ImagePreview_winbench "Z:${jpeg//\//\\}" 5 | head -1)
row "image chooser's preview of a 12-megapixel JPEG (median of 5)" "$(echo "$line" | sed 's/.*median //' | field 1) ms" "—" "—"

echo
echo "Korvi8 benchmarks, $arch build, $(wine --version 2>/dev/null), $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| figure | Korvi8 | reference in the same run | ratio |"
echo "|---|---|---|---|"
printf '%s\n' "${rows[@]}"

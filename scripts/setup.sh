#!/usr/bin/env bash
# Installs what building and testing Korvi8 needs on a Debian 12 machine (as root).
# Idempotent: when everything is present it only checks and returns within a second.
#
# What it asks for depends on what the machine can do: 32-bit Wine (and with it the i386
# architecture) only where the kernel executes 32-bit programs (scripts/arch.sh probes that).
# A package index that fails to download is not fatal: `apt-get update` is tried again once after
# a short pause, and then set-up goes on with the lists it has. It fails only when a package this
# machine needs cannot be installed, and then it names that package and quotes apt's own words.
# 32-bit Wine is wanted, not needed: the 64-bit tiers run everywhere. When it cannot be installed
# (its i386 libraries must match the amd64 ones version for version, which one stale i386 index
# breaks), set-up says why, installs the rest, and the test command skips the 32-bit tiers.
# KORVI_SETUP_FORCE_UPDATE=1 refreshes the package lists even when nothing is missing, and
# KORVI_SETUP_TRY_NEEDED=NAME counts NAME as one more needed package, to try the failure path with a
# name apt does not know (both used by tests/setup/broken-index.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/arch.sh"

say() { echo "setup: $*"; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# Package and why we need it, one pair a line.
wanted=(
  "cmake|build system"
  "make|CMake generator"
  "g++|native build of the portable logic and its tests"
  "clang|libFuzzer targets"
  "libclang-rt-14-dev|sanitizer and fuzzer runtimes for clang"
  "googletest|GoogleTest sources, built for both Linux and Windows"
  "g++-mingw-w64-i686-posix|the 32-bit Windows cross compiler (posix threads: std::mutex)"
  "gcc-mingw-w64-i686-posix|the 32-bit Windows cross compiler's C part (libjpeg-turbo)"
  "binutils-mingw-w64-i686|windres and the linker for the 32-bit build"
  "g++-mingw-w64-x86-64-posix|the 64-bit Windows build, run where 32-bit code cannot be"
  "gcc-mingw-w64-x86-64-posix|the 64-bit cross compiler's C part (libjpeg-turbo)"
  "binutils-mingw-w64-x86-64|windres and the linker for the 64-bit build"
  "wine|runs the Windows tiers"
  "wine64|64-bit Wine: runs on every x86_64 machine"
  "xvfb|virtual X display for Wine"
  "xserver-xephyr|two monitors side by side (Xinerama) for the two-monitor run"
  "xdotool|drives the virtual display like a user"
  "imagemagick|screenshots (import) and reference pictures"
  "x11-utils|xdpyinfo: waits for the display to come up"
  "nasm|SIMD parts of libjpeg-turbo for Windows"
  "libjpeg62-turbo-dev|native JPEG decoding"
  "dpkg-dev|apt-get source (libjpeg-turbo for the Windows builds)"
  "python3|draws the stock button pictures at build time"
  "unzip|unpacks the released zips for the unzip test"
)
[ -z "${KORVI_SETUP_TRY_NEEDED:-}" ] || wanted+=("$KORVI_SETUP_TRY_NEEDED|asked for by KORVI_SETUP_TRY_NEEDED")
optional=()  # wanted where the machine can use them, never a reason to fail
wants_i386=0
if korvi_can_run_32bit; then
  wants_i386=1
  optional+=("wine32:i386|32-bit Wine: runs the shipped 32-bit exe, since this machine executes 32-bit code")
else
  say "not asking for 32-bit Wine or the i386 architecture: $KORVI_NO32_WHY"
fi

# A wanted package that could not be installed is not tried again for a while, so that every test
# run does not spend a minute on the same answer; the test command quotes the reason kept here.
unavailable_dir=${KORVI_SETUP_STATE:-/var/cache/korvi-setup}
recently_unavailable() { # package
  local f="$unavailable_dir/${1//[:\/]/_}.unavailable"
  [ -f "$f" ] && [ -n "$(find "$f" -mmin -360 2>/dev/null)" ]
}
need=()
for entry in "${wanted[@]}" "${optional[@]}"; do
  p=${entry%%|*}
  have_pkg "$p" && continue
  if recently_unavailable "$p"; then
    say "not trying $p again before $(date -d "@$(( $(stat -c %Y "$unavailable_dir/${p//[:\/]/_}.unavailable") + 21600 ))" +%H:%M): it could not be installed earlier"
    continue
  fi
  need+=("$entry")
done
is_optional() { local e; for e in "${optional[@]}"; do [ "${e%%|*}" = "$1" ] && return 0; done; return 1; }

has_deb_src() { grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; }

if [ ${#need[@]} -eq 0 ] && has_deb_src && [ "${KORVI_SETUP_FORCE_UPDATE:-0}" != 1 ]; then
  exit 0
fi
if [ "$(id -u)" != 0 ]; then
  say "missing: ${need[*]%%|*}${need[*]:+; }run as root to install them (and the deb-src entry for apt-get source)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive

# One refresh of the package lists, tried again once after a pause. A failed index (a mirror in the
# middle of a sync, a suite that is gone) leaves apt with the lists it already has; whether those are
# enough shows only when installing, so this never fails by itself.
refresh_lists() {
  local log try
  log=$(mktemp)
  for try in 1 2; do
    if apt-get update -q >"$log" 2>&1; then rm -f "$log"; return 0; fi
    if [ $try = 1 ]; then
      say "apt-get update failed for some index; trying again in ${KORVI_SETUP_RETRY_PAUSE:-5} s:"
      grep -E '^(E|W):' "$log" | sed 's/^/setup:   /' >&2 || true
      sleep "${KORVI_SETUP_RETRY_PAUSE:-5}"
    fi
  done
  say "apt-get update failed again; going on with the package lists apt has:"
  grep -E '^(E|W):' "$log" | sed 's/^/setup:   /' >&2 || true
  rm -f "$log"
}

# The Windows build compiles libjpeg-turbo from Debian's source package (apt-get source), which
# needs a deb-src entry. Add one beside the binary entries when none exists, with the same mirrors,
# so no address is chosen here.
if ! has_deb_src; then
  say "adding deb-src entries beside the machine's own package sources (for apt-get source libjpeg-turbo)"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/korvi-src.sources
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/korvi-src.list
  else
    say "found no package sources to copy a deb-src entry from (/etc/apt/sources.list{,.d/debian.sources})" >&2
    exit 1
  fi
fi
if [ $wants_i386 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  say "adding the i386 architecture, for wine32:i386"
  dpkg --add-architecture i386
fi
refresh_lists
[ ${#need[@]} -eq 0 ] && exit 0

# A wanted package that apt cannot install would fail the whole set, and finding out which one
# failed costs a query per package: ask about the wanted ones alone first, cheaply.
kept=()
for entry in "${need[@]}"; do
  p=${entry%%|*}
  if is_optional "$p" && ! out=$(apt-get install -s -q --no-install-recommends "$p" 2>&1); then
    mkdir -p "$unavailable_dir"
    printf '%s\n' "$out" | grep -E '^E:' | paste -sd ' ' - >"$unavailable_dir/${p//[:\/]/_}.unavailable"
    say "going on without $p (wanted, not needed): apt cannot install it now:"
    { printf '%s\n' "$out" | grep -E '^E:'; printf '%s\n' "$out" | grep -E '^ ' | head -6; } | sed 's/^/setup:   /'
    continue
  fi
  kept+=("$entry")
done
need=("${kept[@]}")
[ ${#need[@]} -eq 0 ] && exit 0

say "installing, in one apt-get install:"
for entry in "${need[@]}"; do printf 'setup:   %-28s %s\n' "${entry%%|*}" "${entry#*|}"; done
names=("${need[@]%%|*}")
log=$(mktemp)
if apt-get install -y -q --no-install-recommends "${names[@]}" >"$log" 2>&1; then
  rm -f "$log"
  say "installed ${#names[@]} package(s)"
  exit 0
fi
# The whole set could not be installed: find which of them cannot, each with apt's own words.
say "apt-get install failed; asking apt about each package:" >&2
grep -E '^(E|W):' "$log" | sed 's/^/setup:   /' >&2 || true
rm -f "$log"
failed=() skipped=()
for p in "${names[@]}"; do
  if ! out=$(apt-get install -s -q --no-install-recommends "$p" 2>&1); then
    if is_optional "$p"; then
      skipped+=("$p")
      mkdir -p "$unavailable_dir"
      printf '%s\n' "$out" | grep -E '^E:' | paste -sd ' ' - >"$unavailable_dir/${p//[:\/]/_}.unavailable"
    else
      failed+=("$p")
    fi
    say "cannot install $p:" >&2
    printf '%s\n' "$out" | grep -vE '^(Reading|Building|NOTE|Inst |Conf )' | sed 's/^/setup:   /' >&2
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  say "FAILED: this machine needs ${failed[*]}, which apt cannot install (its words are above)" >&2
  exit 1
fi
if [ ${#skipped[@]} -eq 0 ]; then
  say "FAILED: each package alone can be installed; apt's error above is about the set as a whole" >&2
  exit 1
fi
rest=()
for p in "${names[@]}"; do is_optional "$p" && [[ " ${skipped[*]} " == *" $p "* ]] || rest+=("$p"); done
say "going on without ${skipped[*]} (wanted, not needed); installing the other ${#rest[@]} package(s)"
if [ ${#rest[@]} -gt 0 ]; then
  if ! out=$(apt-get install -y -q --no-install-recommends "${rest[@]}" 2>&1); then
    printf '%s\n' "$out" | grep -E '^(E|W):' | sed 's/^/setup:   /' >&2
    say "FAILED: apt-get install ${rest[*]}" >&2
    exit 1
  fi
fi
say "installed ${#rest[@]} package(s); not installed: ${skipped[*]}"

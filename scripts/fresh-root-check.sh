#!/usr/bin/env bash
# Proves the README's two commands on a fresh Debian 12 machine: debootstraps a minimal bookworm
# into a folder, gives it this machine's package sources, clones the repository into it and runs
# `./scripts/run.sh` (headless) and `./scripts/test.sh` there with chroot, timing each.
# For developers, as root; it takes long (every package installed, four builds, all tests).
#
#   scripts/fresh-root-check.sh [--dir DIR] [--fresh] [--commit REV] [--broken-index]
#     --dir DIR       where the root lives (default /work/korvi-fresh-root, outside any git tree);
#                     an existing root is reused, with the packages a previous run installed
#     --fresh         make a new root even when one exists
#     --commit REV    what to clone (default: main's HEAD of the repository this script is in)
#     --broken-index  adds, for the check only, a sources file for a suite that does not exist, so
#                     that every `apt-get update` in the root fails for one index; removed at the end
#
# The root gets only what a new machine of this kind has that the README relies on before its
# commands run: debootstrap's minbase (bash, coreutils, apt, dpkg, grep, sed, util-linux, tar,
# mawk) and git, to get the repository. Everything else must come from scripts/setup.sh.
# Mounts (/proc, /sys, /dev, /dev/pts, /dev/shm) live in a private mount namespace and are
# unmounted on exit; processes left running inside the root are ended then too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
script="$here/$(basename "$0")"

[ "$(id -u)" = 0 ] || { echo "fresh-root: run as root (debootstrap, mount and chroot need it)" >&2; exit 1; }
# Mounts made below vanish with this private namespace even if the script is killed.
if [ -z "${KORVI_FRESH_ROOT_NS:-}" ]; then
  exec unshare --mount --propagation private env KORVI_FRESH_ROOT_NS=1 "$script" "$@"
fi

dir=/work/korvi-fresh-root fresh=0 commit="" broken=0
while [ $# -gt 0 ]; do
  case "$1" in
    --dir) dir=$2; shift 2 ;;
    --fresh) fresh=1; shift ;;
    --commit) commit=$2; shift 2 ;;
    --broken-index) broken=1; shift ;;
    -h|--help) sed -n '2,15p' "$script"; exit 0 ;;
    *) echo "fresh-root: unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
done
say() { echo "fresh-root: $*"; }
die() { echo "fresh-root: $*" >&2; exit 1; }

repo=$(git -C "$here" rev-parse --path-format=absolute --git-common-dir)
[ -n "$commit" ] || commit=main
commit=$(git -C "$here" rev-parse --verify "$commit^{commit}") || die "no such commit: $commit"
dir=$(realpath -m "$dir")
case "$dir" in /|/work|"$(dirname "$repo")"|"$(dirname "$repo")"/*) die "refusing to make a root in $dir" ;; esac
if git -C "$(dirname "$dir")" rev-parse --git-dir >/dev/null 2>&1; then
  die "$dir is inside a git work tree; choose a folder outside any (--dir)"
fi
sources=/etc/apt/sources.list.d/debian.sources
[ -f "$sources" ] || die "this machine has no $sources to copy"
mirror=$(sed -n 's/^URIs: *//p' "$sources" | head -1)

mounted_below() { awk -v d="$1" '$5 == d || index($5, d "/") == 1 { print $5 }' /proc/self/mountinfo; }
in_root_pids() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$dir" ] && echo "${p#/proc/}"
  done
  return 0
}
broken_file="$dir/etc/apt/sources.list.d/korvi-check-broken-index.sources"
cleanup() {
  local pids m
  pids=$(in_root_pids)
  if [ -n "$pids" ]; then
    say "ending processes left in the root: $(echo $pids)"
    kill $pids 2>/dev/null || true; sleep 2
    pids=$(in_root_pids); [ -z "$pids" ] || kill -9 $pids 2>/dev/null || true
  fi
  rm -f "$broken_file"
  for m in $(mounted_below "$dir" | sort -r); do umount "$m" 2>/dev/null || umount -l "$m" || true; done
  if [ -n "$(mounted_below "$dir")" ]; then echo "fresh-root: still mounted: $(mounted_below "$dir")" >&2; fi
}
# Another check still at work in the root would have its processes ended and its files changed.
[ -z "$(in_root_pids)" ] || die "processes are running in $dir (another check?): $(echo $(in_root_pids))"
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

stamp="$dir/.korvi-fresh-root"
if [ $fresh = 1 ] || [ ! -f "$stamp" ]; then
  [ -z "$(mounted_below "$dir")" ] || die "something is mounted under $dir: $(mounted_below "$dir")"
  if [ -e "$dir" ]; then say "removing the old root $dir"; rm -rf --one-file-system "$dir"; fi
  say "debootstrap bookworm (minbase) from $mirror into $dir"
  t=$SECONDS
  debootstrap --variant=minbase bookworm "$dir" "$mirror" >"$dir.debootstrap.log" 2>&1 ||
    { tail -20 "$dir.debootstrap.log" >&2; die "debootstrap failed (log: $dir.debootstrap.log)"; }
  say "debootstrap took $((SECONDS - t)) s"
  # The same package sources as this machine: the same mirrors, no host chosen here.
  rm -f "$dir/etc/apt/sources.list"
  cp "$sources" "$dir/etc/apt/sources.list.d/debian.sources"
  touch "$stamp"
fi
cp /etc/resolv.conf "$dir/etc/resolv.conf"

mkdir -p "$dir/proc" "$dir/sys" "$dir/dev" "$dir/mnt/korvi-origin"
mount -t proc proc "$dir/proc"
mount -t sysfs sys "$dir/sys"
mount --bind /dev "$dir/dev"
mount --bind /dev/pts "$dir/dev/pts"
mount -t tmpfs -o mode=1777 shm "$dir/dev/shm"
mount --bind -o ro "$repo" "$dir/mnt/korvi-origin"
mount -o remount,bind,ro "$dir/mnt/korvi-origin"

in_root() { # command... : runs in the root with a clean environment, as a new login would have
  chroot "$dir" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb "$@"
}
load() { cut -d' ' -f1-3 /proc/loadavg; }

if ! in_root sh -c 'command -v git' >/dev/null; then
  say "installing git in the root (how the repository gets there)"
  in_root apt-get update -q >/dev/null && in_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends git >/dev/null || die "could not install git in the root"
  in_root apt-get clean
fi

say "cloning $commit into /root/korvi8 in the root"
rm -rf "$dir/root/korvi8"
in_root git clone -q --no-local /mnt/korvi-origin /root/korvi8
in_root git -C /root/korvi8 -c advice.detachedHead=false checkout -q --detach "$commit"
umount "$dir/mnt/korvi-origin"

rm -f "$broken_file"  # left behind by a check that was killed
if [ $broken = 1 ]; then
  # A suite no mirror has: `apt-get update` fails for it on every try, as for a stale index.
  say "adding $broken_file (a suite that does not exist; removed at the end)"
  printf 'Types: deb\nURIs: %s\nSuites: bookworm-korvi-no-such-suite\nComponents: main\nSigned-By: %s\n' \
    "$mirror" /usr/share/keyrings/debian-archive-keyring.gpg >"$broken_file"
fi

# Runs one of the README's commands in the root; each output line gets the seconds since it began.
log="$dir.last-run.log"
: >"$log"
declare -A took rcs
step() { # name, command line
  local name=$1 t0=$SECONDS rc
  say "=== $name: $2 (load before: $(load))" | tee -a "$log"
  set +e
  in_root bash -c "cd /root/korvi8 && $2" 2>&1 </dev/null |
    while IFS= read -r line; do printf '[%5d s] %s\n' $((SECONDS - t0)) "$line"; done | tee -a "$log"
  rc=${PIPESTATUS[0]}
  set -e
  took[$name]=$((SECONDS - t0)); rcs[$name]=$rc
  say "=== $name: exit $rc after ${took[$name]} s (load after: $(load))" | tee -a "$log"
}
step run.sh "KORVI_HEADLESS=1 ./scripts/run.sh"
# run.sh calls set-up first: its last line tells how long installing took.
setup_s=$(sed -n '/=== run.sh: KORVI/,/=== run.sh: exit/p' "$log" | grep -E '^\[ *[0-9]+ s\] setup: ' | tail -1 | sed -E 's/^\[ *([0-9]+) s\].*/\1/')
step test.sh "./scripts/test.sh"

echo
say "summary (root $dir, commit $(git -C "$here" log -1 --format='%h %s' "$commit" | cut -c1-80))"
say "  set-up (inside run.sh): ${setup_s:-0} s"
say "  run.sh:  exit ${rcs[run.sh]} in ${took[run.sh]} s"
say "  test.sh: exit ${rcs[test.sh]} in ${took[test.sh]} s"
shot="$dir/root/korvi8/build/screenshots/korvi8-run.png"
[ -f "$shot" ] && say "  run.sh's screenshot: $shot"
sed -n '/\] === summary$/,$p' "$log" | sed 's/^\[ *[0-9]* s\]/fresh-root:  /'
say "  full log: $log"
[ "${rcs[run.sh]}" = 0 ] && [ "${rcs[test.sh]}" = 0 ]

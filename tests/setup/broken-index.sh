#!/usr/bin/env bash
# Set-up against a package index that cannot be downloaded, on this machine (as root; not run by
# ctest, since it changes /etc/apt for a minute). A temporary sources file for a suite that does not
# exist, with the machine's own mirror, makes every `apt-get update` fail for one index; it is
# removed at the end whatever happens. Two cases:
#   - lists refreshed with nothing missing: set-up retries once, goes on and exits 0;
#   - a needed package apt does not know: set-up exits 1 naming it and quoting apt.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ "$(id -u)" = 0 ] || { echo "broken-index: run as root" >&2; exit 1; }
sources=/etc/apt/sources.list.d/debian.sources
mirror=$(sed -n 's/^URIs: *//p' "$sources" | head -1)
[ -n "$mirror" ] || { echo "broken-index: no mirror in $sources" >&2; exit 1; }
broken=/etc/apt/sources.list.d/korvi-check-broken-index.sources
suite=bookworm-korvi-no-such-suite
trap 'rm -f "$broken"' EXIT
trap 'exit 1' INT TERM HUP
printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
  "$mirror" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg >"$broken"

passed=0 failed=0
# case name | environment for set-up | exit status wanted | lines the output must have (| between)
check() {
  local name=$1 env=$2 want_rc=$3 out rc want
  out=$(env KORVI_SETUP_RETRY_PAUSE=1 $env "$root/scripts/setup.sh" 2>&1); rc=$?
  local ok=1
  [ "$rc" = "$want_rc" ] || { ok=0; echo "  $name: exit $rc, wanted $want_rc"; }
  IFS='|' read -ra wants <<<"$4"
  for want in "${wants[@]}"; do
    grep -qF -- "$want" <<<"$out" || { ok=0; echo "  $name: no line with: $want"; }
  done
  [ "$(grep -c 'trying again in' <<<"$out")" = 1 ] || { ok=0; echo "  $name: not exactly one retry"; }
  if [ $ok = 1 ]; then passed=$((passed + 1)); echo "ok   $name; set-up said:"; else
    failed=$((failed + 1)); echo "FAIL $name; set-up said:"; fi
  sed 's/^/    /' <<<"$out"
}
check "refresh with a broken index goes on" KORVI_SETUP_FORCE_UPDATE=1 0 \
  "setup: apt-get update failed for some index; trying again in 1 s:|$suite Release' does not have a Release file|setup: apt-get update failed again; going on with the package lists apt has:"
check "a needed package apt cannot install fails, named and quoted" KORVI_SETUP_TRY_NEEDED=korvi-no-such-package 1 \
  "setup: cannot install korvi-no-such-package:|E: Unable to locate package korvi-no-such-package|setup: FAILED: this machine needs korvi-no-such-package, which apt cannot install"
echo "broken-index: $passed passed, $failed failed"
[ $failed = 0 ]

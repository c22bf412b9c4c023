# Sourced by the run and test scripts: which Windows builds this machine can run under Wine.
#   korvi_can_run_32bit        -> status 0 when the kernel executes 32-bit x86 programs; sets KORVI_NO32_WHY
#   korvi_can_run_wine32       -> status 0 when 32-bit Wine is installed and can run here; sets KORVI_NO32_WHY
#   korvi_win_arches           -> prints the architectures to run, preferred first (i686 x86_64, or x86_64)
#   korvi_win_build_dir ROOT ARCH -> the build folder of that architecture
# KORVI_SIMULATE_NO_32BIT=1 makes the detection answer "no", to try the 64-bit-only path on a
# machine that could run both.

# The smallest static 32-bit x86 ELF program: it exits with status 42 through int 0x80 and needs no
# loader or library, so it tells only whether the kernel runs 32-bit code (some x86_64 kernels do not,
# and there even /lib/ld-linux.so.2 fails with "Exec format error"; so does 32-bit Wine).
korvi_write_probe32() {
  printf '%b' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
    '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
    '\x00\x00\x00\x00' \
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
    '\x5f\x00\x00\x00\x5f\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
    '\x31\xdb\xb3\x2a\xb8\x01\x00\x00\x00\xcd\x80' >"$1"
  chmod +x "$1"
}

korvi_can_run_32bit() {
  if [ "${KORVI_SIMULATE_NO_32BIT:-0}" = 1 ]; then
    KORVI_NO32_WHY="KORVI_SIMULATE_NO_32BIT=1 simulates a machine that cannot run 32-bit code"
    return 1
  fi
  local probe rc out
  probe=$(mktemp)
  korvi_write_probe32 "$probe"
  out=$("$probe" 2>&1); rc=$?
  rm -f "$probe"
  if [ "$rc" = 42 ]; then return 0; fi
  KORVI_NO32_WHY="this machine cannot execute 32-bit programs (a 32-bit probe gave status $rc${out:+: ${out##*: }})"
  return 1
}

# Set-up installs 32-bit Wine where it can; when apt could not (a stale i386 index), it keeps apt's
# reason in its state folder, quoted here.
korvi_can_run_wine32() {
  korvi_can_run_32bit || return 1
  [ -x /usr/lib/wine/wine ] && return 0
  local why_file="${KORVI_SETUP_STATE:-/var/cache/korvi-setup}/wine32_i386.unavailable"
  KORVI_NO32_WHY="32-bit Wine (wine32:i386) is not installed"
  [ -s "$why_file" ] && KORVI_NO32_WHY+="; set-up could not install it: $(head -c 300 "$why_file")"
  return 1
}

korvi_win_arches() {
  if korvi_can_run_wine32; then echo "i686 x86_64"; else echo "x86_64"; fi
}

korvi_win_build_dir() { # root arch
  case "$2" in
    i686) echo "$1/win" ;;
    x86_64) echo "$1/win64" ;;
  esac
}

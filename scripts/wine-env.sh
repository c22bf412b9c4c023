# Sourced by the run and test scripts: a private Wine prefix and a virtual X display.
#   wine_env_arch ARCH BUILD_DIR                   -> chooses 32-bit (i686) or 64-bit (x86_64) Wine
#   wine_env_start BUILD_DIR [desktop-name] [WxH]  -> sets WINEPREFIX, DISPLAY; starts Xvfb (when asked)
#   wine_env_start_two_monitors BUILD_DIR          -> two 1024x768 monitors side by side, no virtual desktop
#   wine_env_server BUILD_DIR [desktop-name] [WxH] -> switches to the prefix of another desktop
#   wine_env_stop                                  -> ends only what wine_env_start started
# Each architecture has its own build folder and so its own prefix, created once (about 10 s) and reused.

KORVI_XVFB_PID=""
KORVI_XEPHYR_PID=""

# Debian's /usr/bin/wine and wineserver scripts pick the 32-bit loader whenever its file exists, even
# on a kernel that cannot run it, and a symbolic link named "wine" to the 64-bit loader fails ("could
# not exec the wine loader"). So each architecture gets two small wrapper scripts, first on PATH, that
# call its loader and server by their real paths.
wine_env_arch() { # arch build-dir
  local arch="$1" bin loader server
  bin="$(cd "$2" && pwd)/wine-bin" || return 1
  case "$arch" in
    i686)   loader=/usr/lib/wine/wine;   server=/usr/lib/wine/wineserver32; KORVI_WINEARCH=win32 ;;
    x86_64) loader=/usr/lib/wine/wine64; server=/usr/lib/wine/wineserver64; KORVI_WINEARCH=win64 ;;
    *) echo "wine: unknown architecture $arch" >&2; return 1 ;;
  esac
  mkdir -p "$bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$bin/wine"
  printf '#!/bin/sh\nexec %s "$@"\n' "$server" >"$bin/wineserver"
  chmod +x "$bin/wine" "$bin/wineserver"
  export WINELOADER="$loader" WINESERVER="$server"
  export KORVI_WINE_ARCH="$arch"
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
}

# The architecture a build folder was configured for, from its toolchain file.
wine_env_arch_of_build() { # build-dir
  if grep -qs 'CMAKE_TOOLCHAIN_FILE.*mingw-x86_64' "$1/CMakeCache.txt"; then echo x86_64; else echo i686; fi
}

wine_env_prefix() {
  local build desktop="${2:-Default}" size="${3:-1024x768}"
  build=$(cd "$1" && pwd) || return 1
  [ "${KORVI_WINE_ARCH:-}" ] || wine_env_arch "$(wine_env_arch_of_build "$build")" "$build"
  export WINEPREFIX="$build/wineprefix-$desktop"
  export WINEARCH="$KORVI_WINEARCH"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/.korvi-ready" ]; then
    echo "wine: creating the $WINEARCH prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wine wineboot.exe -i </dev/null >/dev/null 2>&1 || true
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "wine: the prefix $WINEPREFIX was not created (is $WINELOADER runnable here?)" >&2
      return 1
    fi
    # Written only now that the prefix exists: before, there is no registry to write to.
    # Virtual desktop: off-screen coordinates are kept exactly, window destruction is fast,
    # and no window manager is needed. "shell" adds a taskbar.
    # "none": no virtual desktop; programs' windows are windows of the X display itself.
    local explorer=""
    [ "$desktop" = none ] || explorer="[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
\"Desktop\"=\"$desktop\"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
\"$desktop\"=\"$size\"
"
    cat > "$WINEPREFIX/korvi.reg" <<REG
REGEDIT4

$explorer
[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=""
REG
    wine regedit.exe /S "$WINEPREFIX/korvi.reg" </dev/null >/dev/null 2>&1
    wineserver -w
    if [ "$desktop" != none ] && ! grep -qs "\"Desktop\"=\"$desktop\"" "$WINEPREFIX/user.reg"; then
      echo "wine: the virtual desktop settings did not reach $WINEPREFIX/user.reg" >&2
      return 1
    fi
    touch "$WINEPREFIX/.korvi-ready"
  fi
}

wine_env_display() {
  # Use the user's display when asked to, else our own Xvfb on a free display number. The screen is
  # larger than Wine's virtual desktop by default, so a test that sees the desktop's size knows the
  # desktop settings took effect (KORVI_XVFB_SIZE changes it).
  if [ "${KORVI_USE_OWN_DISPLAY:-1}" = 1 ] || [ -z "${DISPLAY:-}" ]; then
    local fifo n
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${KORVI_XVFB_SIZE:-1280x1024}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KORVI_XVFB_PID=$!
    read -r -t 20 n <"$fifo" || { echo "wine: Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$n"
  fi
}

wine_env_start() {
  wine_env_display || return 1
  wine_env_server "$@"
}

# Switches to the prefix of another desktop (one desktop mode per prefix and server).
wine_env_server() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; fi
  wine_env_prefix "$@" || return 1
  # A server left over from an earlier run holds windows of an X display that is gone, and new
  # programs would then fail with BadWindow: start from a fresh one.
  wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true
  wineserver -p   # keep the server up for the whole run: every start is then fast
  # Start Wine's services and the virtual desktop now, detached from our output:
  # started later from inside a test they would inherit (and hold open) its pipes.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  [ "${2:-}" = none ] || setsid wine explorer /desktop </dev/null >/dev/null 2>&1 &
  sleep 1
}

# Two 1024x768 monitors side by side: Xephyr shows two screens joined by Xinerama inside our Xvfb.
# Its RandR is left out, since Wine asks RandR first and RandR names only the first screen; Wine then
# takes the monitors from Xinerama. No virtual desktop, which would be one monitor.
wine_env_start_two_monitors() { # build-dir
  KORVI_XVFB_SIZE=2048x800 wine_env_display || return 1
  local fifo n
  fifo=$(mktemp -u) && mkfifo "$fifo"
  Xephyr -displayfd 3 -screen 1024x768 -screen 1024x768 +xinerama -extension RANDR -nolisten tcp \
    3>"$fifo" >/dev/null 2>&1 &
  KORVI_XEPHYR_PID=$!
  read -r -t 20 n <"$fifo" || { echo "wine: Xephyr did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
  wine_env_server "$1" none
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; fi
  if [ -n "$KORVI_XEPHYR_PID" ]; then kill "$KORVI_XEPHYR_PID" 2>/dev/null || true; wait "$KORVI_XEPHYR_PID" 2>/dev/null || true; fi
  KORVI_XEPHYR_PID=""
  if [ -n "$KORVI_XVFB_PID" ]; then kill "$KORVI_XVFB_PID" 2>/dev/null || true; wait "$KORVI_XVFB_PID" 2>/dev/null || true; fi
  KORVI_XVFB_PID=""
  unset WINEPREFIX
}

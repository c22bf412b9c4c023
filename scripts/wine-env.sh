# Sourced by the run and test scripts: a private Wine prefix and a virtual X display.
#   wine_env_start BUILD_DIR [desktop-name] [WxH]  -> sets WINEPREFIX, DISPLAY; starts Xvfb (when asked)
#   wine_env_stop                                  -> ends only what wine_env_start started
# The prefix lives in the build tree, is created once (about 10 s) and reused.

KORVI_XVFB_PID=""

wine_env_prefix() {
  local build="$1" desktop="${2:-Default}" size="${3:-1024x768}"
  export WINEPREFIX="$build/wineprefix-$desktop"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/.korvi-ready" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Virtual desktop: off-screen coordinates are kept exactly, window destruction is fast,
    # and no window manager is needed. "shell" adds a taskbar.
    cat > "$WINEPREFIX/korvi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="$desktop"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"$desktop"="$size"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=""
REG
    wine regedit /S "$WINEPREFIX/korvi.reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.korvi-ready"
  fi
}

wine_env_display() {
  # Use the user's display when asked to, else our own Xvfb on a free display number.
  if [ "${KORVI_USE_OWN_DISPLAY:-1}" = 1 ] || [ -z "${DISPLAY:-}" ]; then
    local fifo n
    fifo=$(mktemp -u) && mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
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
  wine_env_prefix "$@"
  wineserver -p   # keep the server up for the whole run: every start is then fast
  # Start Wine's services and the virtual desktop now, detached from our output:
  # started later from inside a test they would inherit (and hold open) its pipes.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  setsid wine explorer /desktop </dev/null >/dev/null 2>&1 &
  sleep 1
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; fi
  if [ -n "$KORVI_XVFB_PID" ]; then kill "$KORVI_XVFB_PID" 2>/dev/null || true; wait "$KORVI_XVFB_PID" 2>/dev/null || true; fi
  KORVI_XVFB_PID=""
}

# Sourced by the scripts that run Windows programs: a display and a private
# Wine prefix of their own.
#
#   wine_env_start DIR   starts Xvfb when no display answers, makes DIR/wineprefix
#   wine_env_stop        ends the Wine server and our Xvfb

wine_env_start() {
  local dir=$1
  export WINEDEBUG=-all
  export WINEPREFIX="$dir/wineprefix"
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
  own_xvfb=""
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    own_xvfb=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Debian's Wine leaves the prefix's font folder empty; without Marlett the
  # title bars show "0 1 r" for their buttons.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Without a window manager Wine would wait for one on every hide and show.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${own_xvfb:-}" ]; then kill "$own_xvfb" 2>/dev/null || true; fi
}

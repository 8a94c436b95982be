# Source this with a build folder: sets up the Wine environment the programs and tests run in.
#   . scripts/wine-env.sh build      -> private prefix, Xvfb, persistent wineserver
#   wine_env_stop                    -> stops what it started
# A private prefix under the build folder keeps runs apart; code page 936 for the GBK texts;
# an ALSA null device gives Wine one wave-out/wave-in and the mixers.
_wine_build="$(cd "${1:-build}" && pwd)"
export WINEPREFIX="$_wine_build/wineprefix"
export WINEDEBUG=-all
# The prefix matches the programs of the build: 32-bit or 64-bit Windows.
if grep -q 'x86_64-w64-mingw32' "$_wine_build/CMakeCache.txt" 2>/dev/null; then
  export WINEARCH=win64
else
  export WINEARCH=win32
fi
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from LC_CTYPE; the Linux tools beside it keep English messages.
unset LC_ALL LANGUAGE
export LANG=C.UTF-8
export LC_CTYPE=zh_CN.UTF-8
export ALSA_CONFIG_PATH="$_wine_build/asound.conf"
printf 'pcm.!default { type null }\n' > "$ALSA_CONFIG_PATH"

if [ -z "${DISPLAY:-}" ] || [ -n "${ONDRIX_OWN_XVFB:-}" ]; then
  _d=90
  while [ -e "/tmp/.X${_d}-lock" ] || [ -e "/tmp/.X11-unix/X${_d}" ]; do _d=$((_d+1)); done
  Xvfb ":${_d}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  export ONDRIX_XVFB_PID=$!
  export DISPLAY=":${_d}"
  for _i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X${_d}" ] && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  # wineboot leaves a server running that ends a moment after the last program; while it runs,
  # the persistent one below cannot start, and every later program would boot Wine anew.
  wineserver -w >/dev/null 2>&1 || true
fi
# Wine finds the system's fonts (the CJK texts need a CJK font) but not the symbol font of its
# own that menus draw check marks and window-button glyphs with: give the prefix a link to it.
_wine_fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$_wine_fonts" ] && [ ! -e "$_wine_fonts/marlett.ttf" ]; then
  ln -s /usr/share/wine/fonts/marlett.ttf "$_wine_fonts/marlett.ttf"
fi
wineserver -p >/dev/null 2>&1 || true
# The first program of a prefix starts winedevice.exe, which would inherit (and hold open)
# the output pipe of whoever runs it: start it here with its output going nowhere.
wine cmd /c echo >/dev/null 2>&1 </dev/null || true
# With no window manager on the private display, Wine waits two seconds for every managed window
# it hides; unmanaged windows show and hide at once.
if [ -n "${ONDRIX_XVFB_PID:-}" ] && ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
fi

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${ONDRIX_XVFB_PID:-}" ]; then kill "$ONDRIX_XVFB_PID" 2>/dev/null || true; unset ONDRIX_XVFB_PID; fi
}

#!/usr/bin/env bash
# Installs what is needed, builds, and starts Ondrix under Wine on the simulated card (under Xvfb
# when there is no display). Once its video window is up, a screenshot of the running application
# is saved to build/ondrix-screenshot.png; Ctrl-C ends the application through its normal exit
# path (the window is asked to close), which saves its settings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
. "$root/scripts/wine-env.sh" "$BUILD_DIR"
trap wine_env_stop EXIT
cd "$BUILD_DIR/bin"
# The simulated card and the filters the preview uses, registered as a card maker's setup would, and
# the stand-ins of the system filters Wine lacks for recording (among them an AVI Mux that takes sound).
wine regsvr32 /s OndrixBlackBird.ax 'Filters\Deinterlace.ax' 'Filters\TransformRatio.ax' \
  'Filters\OverlayMixer.ax' OndrixSysFilters.ax >/dev/null 2>&1 </dev/null

# Its own session: the Ctrl-C of the terminal reaches this script only, which closes it politely.
setsid wine Ondrix.exe "$@" &
app=$!
stop_app() {
  # A polite close (no /F): the video window gets WM_CLOSE and ends through its exit path.
  wine taskkill /IM Ondrix.exe >/dev/null 2>&1 </dev/null || true
  wait "$app" 2>/dev/null || true
}
trap 'stop_app; exit 0' INT TERM

shot="$BUILD_DIR/ondrix-screenshot.png"
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -q 'Veltrane Mireval IV' && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$app" 2>/dev/null; then
  # The picture needs a moment after the window appears.
  sleep 2
  xwd -root -silent | convert xwd:- "$shot" && echo "Screenshot of the running application: $shot"
  echo "Ondrix is running on display $DISPLAY; press Ctrl-C to end it."
fi
wait "$app" || true

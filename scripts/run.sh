#!/usr/bin/env bash
# Installs what is needed, builds, and starts the application under Wine
# (under Xvfb when there is no display).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
. "$root/scripts/wine-env.sh" "$BUILD_DIR"
trap wine_env_stop EXIT
cd "$BUILD_DIR/bin"
if [ -f Ondrix.exe ]; then
  wine Ondrix.exe "$@"
else
  echo "Ondrix.exe is not built yet; running the test suite of what exists instead."
  cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)"
fi

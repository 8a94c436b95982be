#!/usr/bin/env bash
# Installs what is needed, checks that includes and links run one way between
# the layers, builds, and runs every test under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
python3 "$root/scripts/check-layers.py" "$root"
"$root/scripts/build.sh"
. "$root/scripts/wine-env.sh" "$BUILD_DIR"
trap wine_env_stop EXIT
cd "$BUILD_DIR"
# Window tests share one display: at most four programs at a time, and a program that fails
# under that load gets one more run (a fault that repeats still fails).
jobs="$(nproc)"; [ "$jobs" -le 4 ] || jobs=4
ctest --output-on-failure -j"$jobs" --repeat until-pass:2 "$@"

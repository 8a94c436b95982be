#!/usr/bin/env bash
# Builds and runs the live-preview benchmark under Wine: time from the graph
# manager's Initialize to the first picture on screen, and CPU per second of
# preview, beside a bare graph on the same simulated card.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" --target PreviewBench >/dev/null
. "$root/scripts/wine-env.sh" "$BUILD_DIR"
trap wine_env_stop EXIT
cd "$BUILD_DIR/bin"
wine PreviewBench.exe 2>/dev/null

#!/usr/bin/env bash
# Builds and runs the recording throughput benchmark under Wine: the
# simulated encoder unpaced through the pause filter, and through a plain
# pass-through in its place, into the dump writer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" --target RecordBench >/dev/null
. "$root/scripts/wine-env.sh" "$BUILD_DIR"
trap wine_env_stop EXIT
cd "$BUILD_DIR/bin"
wine RecordBench.exe 2>/dev/null

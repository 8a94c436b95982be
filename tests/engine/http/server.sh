#!/usr/bin/env bash
# start STATE_DIR: runs the test HTTP server in the background and waits for its port file.
# stop STATE_DIR: ends that server by its process id.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
state="$2"
case "$1" in
  start)
    mkdir -p "$state"
    rm -f "$state/port" "$state/pid"
    setsid python3 "$here/http_server.py" "$state/port" 600 </dev/null >"$state/server.log" 2>&1 &
    echo $! >"$state/pid"
    for _ in $(seq 1 100); do [ -s "$state/port" ] && exit 0; sleep 0.05; done
    echo "test HTTP server did not start" >&2
    exit 1
    ;;
  stop)
    [ -s "$state/pid" ] && kill "$(cat "$state/pid")" 2>/dev/null || true
    rm -f "$state/pid" "$state/port"
    ;;
esac

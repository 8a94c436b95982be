#!/usr/bin/env bash
# Speed of the editor next to ffmpeg's stream copy, on one large MPEG-2 program stream made by
# stream copy of a short one. Not part of the test suite.
#   run-bench.sh [BUILD_DIR]          (default: build)
# PARVANE_BIG=1 makes the stream larger than 4 GiB and then checks the saved copy: its size,
# and that the time stamps at its end continue those of its start (64-bit offsets throughout).
# PARVANE_BENCH_KEEP=1 keeps the large files.
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$build/parvane-bench"
mkdir -p "$work"
src="$work/source.mpg"
loops=400
[ -n "${PARVANE_BIG:-}" ] && loops=4800

if [ ! -f "$work/seed.mpg" ]; then
  bash "$root/tests/parvane/fixtures/make-fixtures.sh" "$work" m2-closed.mpg
  mv "$work/m2-closed.mpg" "$work/seed.mpg"
fi
ffmpeg -hide_banner -loglevel error -y -stream_loop "$loops" -i "$work/seed.mpg" -map 0 -c copy -f vob "$src"
size=$(stat -c %s "$src")
echo "stream: $src, $size bytes"

# One Wine environment for the run; the page cache holds the source for both programs.
. "$root/scripts/wine-env.sh" "$build" 2>/dev/null
trap 'wine_env_stop; [ -n "${PARVANE_BENCH_KEEP:-}" ] || rm -f "$src" "$work/parvane.mpg" "$work/ffmpeg.mpg"' EXIT
cat "$src" > /dev/null
echo "== Parvane (under Wine)"
wine "$build/bin/ParvaneEditorBench.exe" "Z:$src" "Z:$work/parvane.mpg"
echo "== ffmpeg -i F -map 0 -c copy -f vob (native)"
start=$(date +%s.%N)
ffmpeg -hide_banner -loglevel error -y -i "$src" -map 0 -c copy -f vob "$work/ffmpeg.mpg"
end=$(date +%s.%N)
python3 -c "s=$size; t=$end-$start; print('stream copy             %8.3f s  %9.1f MB/s' % (t, s / 1e6 / t))"

if [ -n "${PARVANE_BIG:-}" ]; then
  out="$work/parvane.mpg"
  osize=$(stat -c %s "$out")
  echo "saved copy: $osize bytes"
  [ "$size" -gt 4294967296 ] || { echo "FAILED: source not above 4 GiB"; exit 1; }
  [ "$osize" -gt $((size - 4 * 1048576)) ] || { echo "FAILED: saved copy short"; exit 1; }
  # The last video stamps of the copy must lie about the stream's length after its first ones.
  python3 - "$src" "$out" <<'PY'
import json, subprocess, sys
def video_dts(path, where):
    out = subprocess.run(['ffprobe', '-v', 'error', '-select_streams', 'v:0', '-read_intervals', where,
                          '-show_entries', 'packet=dts_time', '-of', 'json', path],
                         capture_output=True, text=True, check=True).stdout
    return [float(p['dts_time']) for p in json.loads(out)['packets'] if 'dts_time' in p]
src, out = sys.argv[1], sys.argv[2]
duration = float(subprocess.run(['ffprobe', '-v', 'error', '-show_entries', 'format=duration', '-of',
                                 'csv=p=0', src], capture_output=True, text=True, check=True).stdout)
head = video_dts(out, '%+2')
# a read that starts with a seek may repeat the packet it landed on: check from the next GOP
tail = video_dts(out, '%.0f%%' % max(duration - 5, 0))[15:]
span = max(tail) - min(head)
print('copy spans %.1f s of %.1f s' % (span, duration))
ok = all(b > a for a, b in zip(tail, tail[1:])) and abs(span - duration) < 2.0
print('big file: ' + ('ok' if ok else 'FAILED'))
sys.exit(0 if ok else 1)
PY
fi

#!/usr/bin/env bash
# The wide pause and editing sweeps (not run by CI): every stream kind of tests/parvane/sweep/streams.py,
# sizes and pause points far more densely than the test suite's grid. The two sweeps run side by
# side; prints each one's failures and summary.
#   wide-sweep.sh <build dir> [jobs per sweep] [N: only every Nth case]
set -uo pipefail
build="$(cd "$1" && pwd)"
jobs="${2:-4}"
sample="${3:-1}"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
. "$root/scripts/wine-env.sh" "$build" >/dev/null 2>&1
trap wine_env_stop EXIT
python3 "$here/hollit_sweep.py" "$build" --grid wide --jobs "$jobs" --sample "$sample" > "$build/hollit-sweep-wide.log" 2>&1 &
hollit=$!
python3 "$root/tests/parvane/sweep/parvane_sweep.py" "$build" --grid wide --jobs "$jobs" --sample "$sample" > "$build/parvane-sweep-wide.log" 2>&1 &
parvane=$!
status=0
wait $hollit || status=1
wait $parvane || status=1
for log in "$build/hollit-sweep-wide.log" "$build/parvane-sweep-wide.log"; do
  echo "== $log"
  grep -A6 "^FAILED" "$log" | head -60
  tail -2 "$log"
done
exit $status

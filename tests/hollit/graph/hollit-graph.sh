#!/usr/bin/env bash
# Records a real MPEG-2 program stream through the pause filter in real filter graphs under Wine,
# pausing and resuming at chosen samples, and checks every written file with ffprobe/ffmpeg.
#   hollit-graph.sh <build dir>
set -uo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
work="$build/hollit-graph"
mkdir -p "$work"
source_file="$work/m2-open.mpg"
[ -s "$source_file" ] || bash "$root/tests/parvane/fixtures/make-fixtures.sh" "$work" m2-open.mpg || exit 1

# Under ctest the Wine environment is already set up; on its own the script makes its own.
own_env=0
if [ -z "${WINEPREFIX:-}" ]; then
  . "$root/scripts/wine-env.sh" "$build" >/dev/null 2>&1
  own_env=1
fi

winpath() { echo "Z:${1//\//\\}"; }
run_wine() { (cd "$build/bin" && wine "$@"); }

run_wine regsvr32.exe /s "$(winpath "$build/bin/Hollit.ax")" || { echo "registration failed"; exit 1; }
cleanup() {
  run_wine regsvr32.exe /s /u "$(winpath "$build/bin/Hollit.ax")"
  [ "$own_env" -eq 1 ] && wine_env_stop
}
trap cleanup EXIT

size=$(stat -c %s "$source_file")
failures=0
case_no=0
for sample in 2048 3000 65536; do
  n=$(( (size + sample - 1) / sample ))
  for thread in 0 1; do
    # Sample indexes at fractions of the stream for each pause plan.
    plans=(
      ""
      "p$((n * 30 / 100)) r$((n * 45 / 100))"
      "p$((n * 20 / 100)) r$((n * 22 / 100)) p$((n * 60 / 100)) r$((n * 75 / 100))"
      "d$((n * 40 / 100)) e$((n * 55 / 100))"
      "p$((n * 70 / 100))"
    )
    for plan in "${plans[@]}"; do
      case_no=$((case_no + 1))
      out="$work/out-$case_no.mpg"
      rm -f "$out"
      # shellcheck disable=SC2086
      if ! run_wine HollitGraphRun.exe "$(winpath "$source_file")" "$(winpath "$out")" "$sample" "$thread" 1 $plan; then
        echo "case $case_no (samples $sample, thread $thread, plan '$plan'): graph failed"
        failures=$((failures + 1))
        continue
      fi
      echo "case $case_no: samples $sample, thread $thread, plan '$plan'"
      # shellcheck disable=SC2086
      python3 "$here/check_recording.py" "$source_file" "$out" "$sample" $plan || failures=$((failures + 1))
    done
  done
done
echo "$failures failing case(s)"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Records real MPEG-2 program streams through the pause filter in real filter graphs under Wine,
# pausing and resuming at chosen samples, and checks every written file with ffprobe/ffmpeg.
#   hollit-graph.sh <build dir>
set -uo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
work="$build/hollit-graph"
mkdir -p "$work"

# Under ctest the Wine environment is already set up; on its own the script makes its own.
own_env=0
if [ -z "${WINEPREFIX:-}" ]; then
  . "$root/scripts/wine-env.sh" "$build" >/dev/null 2>&1
  own_env=1
fi

# Like a hardware encoder that starts every group of pictures in a new pack (2048-byte packs,
# system headers, open GOPs of 12 with 2 B pictures, MPEG audio).
aligned="$work/gop-aligned.mpg"
[ -s "$aligned" ] || ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i testsrc2=size=352x288:rate=25 -f lavfi -i sine=frequency=1000:sample_rate=48000 -t 4 \
  -c:v mpeg2video -threads 1 -b:v 1500k -maxrate 2M -bufsize 1835k -g 12 -bf 2 -sc_threshold 1000000000 \
  -c:a mp2 -b:a 128k -ac 2 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact -f dvd "$aligned" || exit 1
# GOP headers anywhere in a pack: the kept group before a cut loses the tail of its last picture.
unaligned="$work/m2-open.mpg"
[ -s "$unaligned" ] || bash "$root/tests/parvane/fixtures/make-fixtures.sh" "$work" m2-open.mpg || exit 1

winpath() { echo "Z:${1//\//\\}"; }
run_wine() { (cd "$build/bin" && wine "$@" 2>/dev/null); }

run_wine regsvr32.exe /s "$(winpath "$build/bin/Hollit.ax")" || { echo "registration failed"; exit 1; }
cleanup() {
  run_wine regsvr32.exe /s /u "$(winpath "$build/bin/Hollit.ax")"
  [ "$own_env" -eq 1 ] && wine_env_stop
}
trap cleanup EXIT

failures=0
case_no=0
# record <source> <sample bytes> <thread> <lost-B> <damaged pictures allowed> [actions...]
record() {
  local src="$1" sample="$2" thread="$3" lostb="$4" damaged="$5"
  shift 5
  case_no=$((case_no + 1))
  [ "$thread" = auto ] && thread=$((case_no % 2))
  local out="$work/out-$case_no.mpg"
  rm -f "$out"
  echo "case $case_no: $(basename "$src"), samples $sample, thread $thread, lost-B $lostb, actions '$*'"
  if ! run_wine HollitGraphRun.exe "$(winpath "$src")" "$(winpath "$out")" "$sample" "$thread" "$lostb" "$@"; then
    echo "  FAIL: graph did not complete"
    failures=$((failures + 1))
    return
  fi
  python3 "$here/check_recording.py" --damaged "$damaged" "$src" "$out" "$sample" "$@" || failures=$((failures + 1))
}

# Each plan runs once per sample size; "auto" alternates the deliver thread from case to case, and
# with an odd number of plans per size every plan runs both with and without it.
for sample in 2048 3000 65536; do
  n=$(( ($(stat -c %s "$aligned") + sample - 1) / sample ))
  at() { echo $(( n * $1 / 100 )); }
  record "$aligned" "$sample" auto 1 0
  record "$aligned" "$sample" auto 1 0 "p$(at 30)" "r$(at 45)"
  record "$aligned" "$sample" auto 1 0 "p$(at 35)" "r$(at 37)" "p$(at 60)" "r$(at 75)"
  record "$aligned" "$sample" auto 1 0 "p$(at 20)" "r$(at 22)" "p$(at 60)" "r$(at 75)"
  record "$aligned" "$sample" auto 1 0 "p$(at 70)"
  record "$aligned" "$sample" auto 1 0 "r$(at 10)" "p$(at 50)" "r$(at 52)"
  # Stopped in the middle of a group: the group in progress still reaches the file, unless paused.
  record "$aligned" "$sample" auto 1 0 stop
  record "$aligned" "$sample" auto 1 0 "p$(at 30)" "r$(at 45)" stop
  record "$aligned" "$sample" auto 1 0 "p$(at 80)" stop
  # Delivery switched off without the synchronisation reset: no new time base, no lost-B cut.
  record "$aligned" "$sample" auto 1 2 "d$(at 40)" "e$(at 55)"

  n=$(( ($(stat -c %s "$unaligned") + sample - 1) / sample ))
  record "$unaligned" "$sample" auto 1 0
  record "$unaligned" "$sample" auto 0 0
  record "$unaligned" "$sample" auto 1 1 "p$(at 30)" "r$(at 45)"
done
echo "$failures failing case(s) of $case_no"
[ "$failures" -eq 0 ]

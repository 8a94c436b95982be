#!/usr/bin/env bash
# The streams the editor tests read, made at test time into OUTDIR: the shared fixtures plus
#   m1-closed.mpg   MPEG-1 system stream shaped like m1-system.mpg, with closed GOPs
#   m2-insert.mpg   a short MPEG-2 stream of another picture, closed GOPs, to insert and join
#   m1-insert.mpg   the same as MPEG-1
#   m2-long.mpg     24 s of small MPEG-2 pictures, closed GOPs, for tables of many ranges
#   m1-junk.mpg     m1-closed.mpg behind noise that holds a stray pack start code whose next byte
#                   reads as an MPEG-2 pack's (the marker bits do not hold)
#   m2-border.mpg   m2-closed.mpg behind a padding pack sized so that a GOP start code is split
#                   across the first two 512 KiB views
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:?output folder}"
mkdir -p "$out"
bash "$here/../fixtures/make-fixtures.sh" "$out"

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
exact=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact)
m2() { # seconds source output
  ff -f lavfi -i "$2=size=352x288:rate=25" -f lavfi -i sine=frequency=440:sample_rate=48000 -t "$1" \
     -c:v mpeg2video -threads 1 -b:v 1500k -maxrate 2M -bufsize 1835k -g 12 -bf 2 -sc_threshold 1000000000 \
     -c:a mp2 -b:a 128k -ac 2 "${exact[@]}" -flags:v +cgop+bitexact -f vob "$3"
}
m1() { # seconds source output
  ff -f lavfi -i "$2=size=352x288:rate=25" -f lavfi -i sine=frequency=440:sample_rate=44100 -t "$1" \
     -c:v mpeg1video -threads 1 -b:v 1150k -minrate 1150k -maxrate 1150k -bufsize 327680 -g 12 -bf 2 \
     -sc_threshold 1000000000 -c:a mp2 -b:a 224k -ac 2 -ar 44100 "${exact[@]}" -flags:v +cgop+bitexact -f vcd "$3"
}
m1 4 testsrc2 "$out/m1-closed.mpg"
m2 2 testsrc "$out/m2-insert.mpg"
m1 2 testsrc "$out/m1-insert.mpg"
ff -f lavfi -i "testsrc2=size=176x144:rate=25" -f lavfi -i sine=frequency=440:sample_rate=48000 -t 24 \
   -c:v mpeg2video -threads 1 -b:v 400k -g 12 -bf 2 -sc_threshold 1000000000 \
   -c:a mp2 -b:a 64k -ac 1 "${exact[@]}" -flags:v +cgop+bitexact -f vob "$out/m2-long.mpg"
python3 "$here/make-view-border.py" "$out/m2-closed.mpg" "$out/m2-border.mpg"
python3 - "$out/m1-closed.mpg" "$out/m1-junk.mpg" <<'PY'
import random, sys
rng = random.Random(14)
junk = bytearray(rng.getrandbits(8) | 0x80 for _ in range(3000))
junk[1000:1004] = b"\x00\x00\x01\xba"
open(sys.argv[2], "wb").write(bytes(junk) + open(sys.argv[1], "rb").read())
PY

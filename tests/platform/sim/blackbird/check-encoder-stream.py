#!/usr/bin/env python3
"""Checks the looped encoder stream the simulator test wrote: ffprobe reads it
as an MPEG-2 program stream, decode and presentation times rise through every
loop, the pictures' decode times one picture apart across the loops as well,
it decodes without errors, and GOP time codes keep counting."""
import json
import subprocess
import sys

path = sys.argv[1]
video = sys.argv[2] if len(sys.argv) > 2 else "mpeg2video"
probe = json.loads(subprocess.run(
    ["ffprobe", "-v", "error", "-show_format", "-show_streams", "-show_packets",
     "-show_entries", "packet=stream_index,pts,dts:stream=index,codec_name,codec_type,r_frame_rate:format=format_name",
     "-of", "json", path], check=True, capture_output=True, text=True).stdout)
assert probe["format"]["format_name"].startswith("mpeg"), probe["format"]
codecs = sorted(s["codec_name"] for s in probe["streams"])
assert codecs == ["mp2", video], codecs
pictures = next(s for s in probe["streams"] if s["codec_type"] == "video")
num, den = pictures["r_frame_rate"].split("/")
frame = 90000 * int(den) / int(num)
last = {}
count = {}
for p in probe["packets"]:
    i = p["stream_index"]
    t = int(p.get("dts") or p.get("pts"))
    assert i not in last or t > last[i], (i, last.get(i), t)
    if i == pictures["index"] and i in last:
        assert abs(t - last[i] - frame) <= 1, ("picture after", last[i], t, frame)
    last[i] = t
    count[i] = count.get(i, 0) + 1
decode = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"],
                        capture_output=True, text=True)
assert decode.returncode == 0 and decode.stderr.strip() == "", decode.stderr

data = open(path, "rb").read()
codes = []
at = data.find(b"\x00\x00\x01\xb8")
while at >= 0:
    tc = data[at + 4:at + 8]
    h = (tc[0] >> 2) & 0x1F
    m = ((tc[0] & 3) << 4) | (tc[1] >> 4)
    s = ((tc[1] & 7) << 3) | (tc[2] >> 5)
    f = ((tc[2] & 0x1F) << 1) | (tc[3] >> 7)
    codes.append(((h * 60 + m) * 60 + s) * 25 + f)
    at = data.find(b"\x00\x00\x01\xb8", at + 4)
assert len(codes) >= 10, len(codes)
assert all(b > a for a, b in zip(codes, codes[1:])), codes
print("ok: %d packets, %d GOPs, last time code %d pictures" % (sum(count.values()), len(codes), codes[-1]))

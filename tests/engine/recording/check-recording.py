#!/usr/bin/env python3
"""Checks the recordings the engine's recording test left: each is an MPEG
program stream that ffprobe reads, decode times rise strictly (across a pause
as well), ffmpeg decodes it, it begins with an I picture, and the span of its
time stamps is that of its pictures within a second (the open groups' leading
B pictures at a seam do not decode on their own)."""
import json
import subprocess
import sys

for path in sys.argv[1:]:
    def ffprobe(*args):
        return json.loads(subprocess.run(["ffprobe", "-v", "error", "-select_streams", "v", "-of", "json"]
                                         + list(args) + [path],
                                         check=True, capture_output=True, text=True).stdout)
    probe = ffprobe("-show_format", "-show_streams", "-show_packets",
                    "-show_entries", "packet=pts,dts:stream=r_frame_rate:format=format_name")
    probe["frames"] = ffprobe("-show_frames", "-show_entries", "frame=pict_type")["frames"]
    assert probe["format"]["format_name"].startswith("mpeg"), probe["format"]
    last = None
    for p in probe["packets"]:
        t = int(p.get("dts") or p.get("pts"))
        assert last is None or t > last, (path, last, t)
        last = t
    frames = [f["pict_type"] for f in probe["frames"]]
    assert frames and frames[0] == "I", (path, frames[:3])
    # Whole groups: as many pictures as GOP headers times the group length.
    data = open(path, "rb").read()
    gops = data.count(b"\x00\x00\x01\xb8")
    assert gops >= 2, (path, gops)
    num, den = probe["streams"][0]["r_frame_rate"].split("/")
    expected = len(frames) * int(den) / int(num)
    first = int(probe["packets"][0].get("dts") or probe["packets"][0]["pts"])
    span = (last - first) / 90000.0 + int(den) / int(num)
    assert abs(span - expected) < 1.0, (path, span, expected)
    decode = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"],
                            capture_output=True, text=True)
    assert decode.returncode == 0, decode.stderr
    print("ok: %s: %d pictures in %d groups, %.2f s" % (path, len(frames), gops, span))

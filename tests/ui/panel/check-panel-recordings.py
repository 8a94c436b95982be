#!/usr/bin/env python3
"""Checks the recordings the control panel's test left: each is an MPEG program stream that
ffprobe reads, with an MPEG-2 video stream of whole pictures whose decode times rise, and that
ffmpeg decodes without an error."""
import json
import subprocess
import sys

for path in sys.argv[1:]:
    probe = json.loads(subprocess.run(
        ["ffprobe", "-v", "error", "-select_streams", "v", "-of", "json", "-show_format", "-show_streams",
         "-show_packets", "-show_entries", "packet=pts,dts:stream=codec_name:format=format_name", path],
        check=True, capture_output=True, text=True).stdout)
    assert probe["format"]["format_name"].startswith("mpeg"), (path, probe["format"])
    assert probe["streams"] and probe["streams"][0]["codec_name"] == "mpeg2video", (path, probe["streams"])
    times = [int(p.get("dts") or p.get("pts")) for p in probe["packets"]]
    assert len(times) >= 25, (path, len(times))
    assert all(b > a for a, b in zip(times, times[1:])), path
    decode = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], capture_output=True, text=True)
    assert decode.returncode == 0, decode.stderr
    print("ok: %s: %d pictures, %.2f s" % (path, len(times), (times[-1] - times[0]) / 90000.0))

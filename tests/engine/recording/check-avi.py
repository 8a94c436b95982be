#!/usr/bin/env python3
"""Checks the AVI, MPEG-4 and radio recordings the AVI recording test left:
ffprobe reads each, lists the streams expected (by codec) and a duration of
at least the time given, and ffmpeg decodes it; and the snapshots, which
ImageMagick reads."""
import json
import os
import subprocess
import sys

# file: (container, [codecs], minimum seconds)
EXPECTED = {
    "record-avi.avi": ("avi", ["pcm_s16le", "rawvideo"], 0.5),
    "record-mpeg4-adpcm.avi": ("avi", ["adpcm_ms", "rawvideo"], 0.5),
    "record-mpeg4-pcm.avi": ("avi", ["pcm_s16le", "rawvideo"], 0.5),
    "radio-pcm.avi": ("avi", ["pcm_s16le"], 1.0),
    "radio-adpcm.avi": ("avi", ["adpcm_ms"], 0.5),
    "radio-mpeg.mp2": ("mp3", ["mp2"], 1.0),
    "radio-custom.avi": ("avi", ["adpcm_ms"], 0.5),
}

# Recordings that mux sound into AVI exist only where the system's AVI Mux
# takes a sound stream (the test skips them elsewhere); the MPEG audio one
# always.
REQUIRED = {"radio-mpeg.mp2"}

failed = False
for name, (container, codecs, seconds) in EXPECTED.items():
    path = sys.argv[1] + "/" + name
    if name not in REQUIRED and not os.path.exists(path):
        print("skipped %s: not recorded" % name)
        continue
    probe = subprocess.run(["ffprobe", "-v", "error", "-of", "json", "-show_format", "-show_streams", path],
                           capture_output=True, text=True)
    if probe.returncode != 0:
        print("FAIL %s: %s" % (name, probe.stderr.strip()))
        failed = True
        continue
    info = json.loads(probe.stdout)
    found = sorted(s["codec_name"] for s in info["streams"])
    duration = float(info["format"].get("duration", 0))
    ok = info["format"]["format_name"].startswith(container) and found == sorted(codecs) and duration >= seconds
    # The whole file decodes.
    decode = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], capture_output=True, text=True)
    ok = ok and decode.returncode == 0 and decode.stderr.strip() == ""
    print("%s %s: %s %s %.2f s %s" % ("ok" if ok else "FAIL", name, info["format"]["format_name"], found, duration,
                                     decode.stderr.strip()[:200]))
    failed = failed or not ok
# Snapshots: ImageMagick reads them as the picture kind their names say.
for name, kind in (("snapshot.bmp", "BMP"), ("snapshot.jpg", "JPEG")):
    path = sys.argv[1] + "/" + name
    ident = subprocess.run(["identify", "-format", "%m %w %h", path], capture_output=True, text=True)
    fields = ident.stdout.split()
    ok = ident.returncode == 0 and len(fields) == 3 and fields[0].startswith(kind) and int(fields[1]) > 0
    print("%s %s: %s %s" % ("ok" if ok else "FAIL", name, ident.stdout.strip(), ident.stderr.strip()[:200]))
    failed = failed or not ok
sys.exit(1 if failed else 0)

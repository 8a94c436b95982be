#!/usr/bin/env python3
"""Checks the AVI, MPEG-4 and radio recordings the AVI recording test left:
each AVI is one RIFF 'AVI ' of hdrl (one strl a stream), movi and idx1;
ffprobe reads each, lists the streams expected (by codec) and a duration of
at least the time given and, where the test wrote down how long it recorded
("<name>.seconds"), a duration matching it; ffmpeg decodes it; and the
snapshots, which ImageMagick reads."""
import json
import os
import struct
import subprocess
import sys


def riff_layout(path):
    """The top-level chunks of an AVI file and its number of strl lists; a
    description of the fault when the RIFF structure does not hold."""
    data = open(path, "rb").read()
    if data[:4] != b"RIFF" or data[8:12] != b"AVI ":
        return None, "not a RIFF AVI file"
    size = struct.unpack("<I", data[4:8])[0]
    if size + 8 != len(data):
        return None, "RIFF size %d for a file of %d bytes" % (size, len(data))
    top, streams, at = [], 0, 12
    while at + 8 <= len(data):
        fcc, cb = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        name = fcc.decode("latin-1")
        if fcc == b"LIST":
            name = data[at + 8:at + 12].decode("latin-1")
            if name == "hdrl":
                streams = data[at + 12:at + 8 + cb].count(b"strl")
        top.append(name)
        at += 8 + cb + (cb & 1)
    if at != len(data):
        return None, "chunks run past the end of the file"
    return (top, streams), None

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

# Other files, named on the command line as "name=codec,codec", replace the
# recordings' list (and the snapshots are not looked for).
SNAPSHOTS = (("snapshot.bmp", "BMP"), ("snapshot.jpg", "JPEG"))
if len(sys.argv) > 2:
    EXPECTED = {}
    for arg in sys.argv[2:]:
        name, codecs = arg.split("=")
        EXPECTED[name] = ("avi", codecs.split(","), 0.5)
    SNAPSHOTS = ()

failed = False
for name, (container, codecs, seconds) in EXPECTED.items():
    path = sys.argv[1] + "/" + name
    if not os.path.exists(path):
        print("FAIL %s: not recorded" % name)
        failed = True
        continue
    if container == "avi":
        layout, fault = riff_layout(path)
        if fault is None and (layout[0] != ["hdrl", "JUNK", "movi", "idx1"] or layout[1] != len(codecs)):
            fault = "chunks %s with %d strl" % layout
        if fault is not None:
            print("FAIL %s: %s" % (name, fault))
            failed = True
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
    recorded = None
    if os.path.exists(path + ".seconds"):
        recorded = float(open(path + ".seconds").read())
        # The file starts as the graph runs and ends as it stops: within the
        # time a start and a stop take.
        ok = ok and abs(duration - recorded) <= 0.5 + 0.1 * recorded
    # The whole file decodes.
    decode = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-f", "null", "-"], capture_output=True, text=True)
    ok = ok and decode.returncode == 0 and decode.stderr.strip() == ""
    print("%s %s: %s %s %.2f s (recorded %s s) %s" % ("ok" if ok else "FAIL", name, info["format"]["format_name"],
                                                      found, duration, recorded, decode.stderr.strip()[:200]))
    failed = failed or not ok
# Snapshots: ImageMagick reads them as the picture kind their names say.
for name, kind in SNAPSHOTS:
    path = sys.argv[1] + "/" + name
    ident = subprocess.run(["identify", "-format", "%m %w %h", path], capture_output=True, text=True)
    fields = ident.stdout.split()
    ok = ident.returncode == 0 and len(fields) == 3 and fields[0].startswith(kind) and int(fields[1]) > 0
    print("%s %s: %s %s" % ("ok" if ok else "FAIL", name, ident.stdout.strip(), ident.stderr.strip()[:200]))
    failed = failed or not ok
sys.exit(1 if failed else 0)

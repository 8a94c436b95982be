#!/usr/bin/env python3
"""Checks what the MPEG encoder and multiplexer stand-ins wrote: the radio's
Layer II file (44.1 kHz stereo at 224 kbit/s) decodes to the 1 kHz tone it
was made from, and the multiplexer's program stream holds that sound with
rising time stamps."""
import json
import math
import struct
import subprocess
import sys

radio, muxed = sys.argv[1:3]


def probe(path, *entries):
    return json.loads(subprocess.run(
        ["ffprobe", "-v", "error", "-show_format", "-show_streams", "-of", "json"] + list(entries) + [path],
        check=True, capture_output=True, text=True).stdout)


def tone(path):
    """Amplitude of the 1 kHz tone in the first channel and how far above
    what is left it stands (dB), over the middle second."""
    raw = subprocess.run(["ffmpeg", "-v", "error", "-i", path, "-af", "pan=mono|c0=c0", "-f", "s16le", "-"],
                         check=True, capture_output=True).stdout
    x = struct.unpack("<%dh" % (len(raw) // 2), raw)
    rate = 44100
    seg = x[rate // 2:rate // 2 + rate // 2]
    w = [2 * math.pi * 1000 * (i + rate // 2) / rate for i in range(len(seg))]
    s = sum(v * math.sin(t) for v, t in zip(seg, w)) * 2 / len(seg)
    c = sum(v * math.cos(t) for v, t in zip(seg, w)) * 2 / len(seg)
    rest = [v - s * math.sin(t) - c * math.cos(t) for v, t in zip(seg, w)]
    noise = math.sqrt(sum(r * r for r in rest) / len(rest))
    amp = math.hypot(s, c)
    return amp, 20 * math.log10(amp / math.sqrt(2) / max(noise, 1e-9))


info = probe(radio)
stream = info["streams"][0]
assert stream["codec_name"] == "mp2", stream
assert stream["sample_rate"] == "44100" and stream["channels"] == 2, stream
assert stream["bit_rate"] == "224000", stream
assert abs(float(info["format"]["duration"]) - 2.0) < 0.1, info["format"]
amp, snr = tone(radio)
assert abs(amp - 16384) < 16384 * 0.02, amp
assert snr > 40, snr

info = probe(muxed, "-show_packets")
assert info["format"]["format_name"].startswith("mpeg"), info["format"]
assert [s["codec_name"] for s in info["streams"]] == ["mp2"], info["streams"]
pts = [int(p["pts"]) for p in info["packets"]]
assert len(pts) > 70 and all(b > a for a, b in zip(pts, pts[1:])), pts[:5]
decode = subprocess.run(["ffmpeg", "-v", "error", "-i", muxed, "-f", "null", "-"], capture_output=True, text=True)
assert decode.returncode == 0 and decode.stderr.strip() == "", decode.stderr
amp2, snr2 = tone(muxed)
assert abs(amp2 - amp) < 1, (amp, amp2)
print("ok: tone %.0f at %.1f dB in the Layer II file; %d packets in the program stream" % (amp, snr, len(pts)))

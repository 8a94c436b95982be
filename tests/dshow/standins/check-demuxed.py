#!/usr/bin/env python3
"""Checks what the demultiplexer stand-in wrote: its video and audio
elementary streams decode to the same pictures and sound as the program
stream they came from."""
import subprocess
import sys

clip, video, audio = sys.argv[1:4]


def md5s(path, stream, fmt=None):
    args = ["ffmpeg", "-v", "error"] + (["-f", fmt] if fmt else []) + ["-i", path, "-map", stream, "-f", "framemd5", "-"]
    out = subprocess.run(args, check=True, capture_output=True, text=True).stdout
    return [line.split(",")[-1].strip() for line in out.splitlines() if line and not line.startswith("#")]


reference = md5s(clip, "0:v")
mine = md5s(video, "0:v", "mpegvideo")
assert len(reference) == 50, len(reference)
assert mine == reference, (len(mine), len(reference))
reference_audio = md5s(clip, "0:a")
mine_audio = md5s(audio, "0:a", "mp3")
assert mine_audio == reference_audio, (len(mine_audio), len(reference_audio))
print("ok: %d pictures and %d audio frames as in the program stream" % (len(mine), len(mine_audio)))

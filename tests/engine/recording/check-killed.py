#!/usr/bin/env python3
"""Checks recordings that ended abruptly (a killed process, a full disk):
ffprobe reads each as an MPEG program stream, and the packets it finds reach
to within about a second of the file's end (at the recording's 4.5 Mbit/s
video and 224 kbit/s sound): nothing written before the end is lost."""
import json
import os
import subprocess
import sys

for path in sys.argv[1:]:
    size = os.path.getsize(path)
    probe = subprocess.run(["ffprobe", "-v", "error", "-of", "json", "-show_format", "-show_packets",
                            "-show_entries", "packet=pos,size,pts_time:format=format_name,duration", path],
                           capture_output=True, text=True)
    assert probe.returncode == 0, probe.stderr
    info = json.loads(probe.stdout)
    assert info["format"]["format_name"].startswith("mpeg"), info["format"]
    ends = [int(p["pos"]) + int(p["size"]) for p in info["packets"] if p.get("pos") not in (None, "N/A")]
    assert ends, "no packets"
    one_second = (4500000 + 224000) // 8
    assert max(ends) >= size - one_second, (size, max(ends))
    print("ok: %s: %d bytes, packets read to byte %d, %s s" % (path, size, max(ends), info["format"].get("duration")))

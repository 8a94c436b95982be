#!/usr/bin/env python3
"""Program streams of many kinds, made with ffmpeg's lavfi sources (moving test picture, tones),
for the pause and editing sweeps.

    streams.py OUTDIR NAME...      makes the named streams (skips those already there)
    streams.py --list [SET]        names of a set ("ci", "wide"; default all)

A name is a base stream, optionally followed by one damage suffix:
    +junk      a few KiB of noise with stray pack headers in front of the stream
    +badpack   one pack header with broken marker bits (14 bytes) in front of the stream
    +between   noise with a stray pack header between two packs in the middle
    +cut       the stream's last pack cut off in the middle
"""
import argparse
import os
import random
import subprocess
import sys
import time

NTSC = "30000/1001"

# name: (system, size, rate, seconds, B pictures, GOP, closed, muxer, audio [(rate, kbit/s)], offset s, video kbit/s)
BASES = {
    # Hardware-encoder-like DVD streams: every GOP header begins a pack.
    "ntsc-b3-g15-dvd": ("m2", "352x240", NTSC, 3, 3, 15, False, "dvd", [(48000, 192)], 3600, 2000),
    "pal-b2-g12-dvd": ("m2", "720x576", "25", 2, 2, 12, False, "dvd", [(48000, 224)], 0, 4000),
    "pal-b1-g18-closed-dvd": ("m2", "352x288", "25", 3, 1, 18, True, "dvd", [(48000, 384)], 7, 1500),
    # GOP headers anywhere in a pack (ffmpeg's default program stream layout).
    "pal-b2-g12-vob": ("m2", "352x288", "25", 3, 2, 12, False, "vob", [(44100, 128)], 0, 1500),
    "ntsc-b3-g9-vob": ("m2", "352x240", NTSC, 3, 3, 9, False, "vob", [(32000, 256)], 3700, 1500),
    "ib-b2-g3-vob": ("m2", "352x288", "25", 3, 2, 3, False, "vob", [(48000, 192)], 0, 1500),
    "ntsc-b0-g6-two-audio-vob": ("m2", "352x240", NTSC, 3, 0, 6, False, "vob", [(48000, 128), (44100, 160)], 12, 1200),
    "pal-b2-g12-closed-low": ("m2", "176x144", "25", 3, 2, 12, True, "vob", [(48000, 128)], 1, 250),
    "svcd": ("m2", "480x576", "25", 2, 2, 12, False, "svcd", [(44100, 224)], 0, 2400),
    # MPEG-1 system streams.
    "m1-b2-g12-vcd": ("m1", "352x288", "25", 3, 2, 12, False, "vcd", [(44100, 224)], 0, 1150),
    "m1-b0-g9-ntsc": ("m1", "352x240", NTSC, 3, 0, 9, True, "vcd", [(32000, 192)], 3600, 1000),
    # The wide sweep's further kinds.
    "ntsc-b1-g15-dvd": ("m2", "720x480", NTSC, 2, 1, 15, False, "dvd", [(48000, 192)], 3600, 4500),
    "pal-b3-g16-closed-dvd": ("m2", "352x288", "25", 3, 3, 16, True, "dvd", [(48000, 256)], 0, 1800),
    "pal-b0-g3-dvd": ("m2", "352x288", "25", 3, 0, 3, True, "dvd", [(48000, 128)], 5000, 1500),
    "ib-b1-g4-dvd": ("m2", "352x288", "25", 3, 1, 4, False, "dvd", [(48000, 192), (48000, 128)], 0, 1500),
    "ntsc-b2-g18-vob": ("m2", "352x240", NTSC, 3, 2, 18, False, "vob", [(48000, 320)], 0, 2000),
    "pal-b3-g12-vob-low": ("m2", "176x144", "25", 3, 3, 12, False, "vob", [(32000, 128)], 3599, 200),
    "ib-b2-g3-closed-vob": ("m2", "352x288", "25", 3, 2, 3, True, "vob", [(44100, 192)], 0, 1500),
    "pal-b1-g6-two-audio-dvd": ("m2", "352x288", "25", 3, 1, 6, False, "dvd", [(48000, 192), (48000, 384)], 0, 1500),
    "svcd-ntsc": ("m2", "480x480", NTSC, 2, 2, 15, False, "svcd", [(44100, 224)], 3600, 2400),
    "m1-b3-g15-closed": ("m1", "352x288", "25", 3, 3, 15, True, "vcd", [(48000, 384)], 0, 1150),
    "m1-b2-g3-vcd": ("m1", "352x288", "25", 3, 2, 3, False, "vcd", [(44100, 224)], 3600, 1150),
    "m1-b1-g6-two-audio": ("m1", "352x240", NTSC, 3, 1, 6, False, "vcd", [(44100, 128), (32000, 160)], 0, 1000),
}

DAMAGE = ("junk", "badpack", "between", "cut")

SETS = {
    "ci": ["ntsc-b3-g15-dvd", "pal-b2-g12-dvd", "pal-b1-g18-closed-dvd", "pal-b2-g12-vob", "ntsc-b3-g9-vob",
           "ib-b2-g3-vob", "ntsc-b0-g6-two-audio-vob", "pal-b2-g12-closed-low", "svcd", "m1-b2-g12-vcd",
           "m1-b0-g9-ntsc", "ntsc-b3-g15-dvd+junk", "pal-b2-g12-vob+badpack", "m1-b2-g12-vcd+between",
           "pal-b2-g12-vob+cut"],
}
SETS["wide"] = sorted(BASES) + [b + "+" + d for b in ("ntsc-b3-g15-dvd", "pal-b2-g12-vob", "m1-b2-g12-vcd",
                                                      "ib-b2-g3-vob") for d in DAMAGE]


def split(name):
    base, _, damage = name.partition("+")
    if base not in BASES or (damage and damage not in DAMAGE):
        raise KeyError(name)
    return base, damage


def encode(base, path):
    system, size, rate, seconds, bf, gop, closed, muxer, audio, offset, kbit = BASES[base]
    args = ["ffmpeg", "-hide_banner", "-loglevel", "fatal", "-y", "-f", "lavfi",
            "-i", "testsrc2=size=%s:rate=%s" % (size, rate)]
    for i, (ar, _) in enumerate(audio):
        args += ["-f", "lavfi", "-i", "sine=frequency=%d:sample_rate=%d" % (440 * (i + 2), ar)]
    args += ["-t", str(seconds), "-map", "0:v"] + sum((["-map", "%d:a" % (i + 1)] for i in range(len(audio))), [])
    codec = "mpeg2video" if system == "m2" else "mpeg1video"
    args += ["-c:v", codec, "-threads", "1", "-b:v", "%dk" % kbit, "-maxrate", "%dk" % (kbit * 4 // 3),
             "-bufsize", "%dk" % (kbit * 4 // 3), "-g", str(gop), "-bf", str(bf), "-sc_threshold", "1000000000"]
    flags = "+bitexact" + ("+cgop" if closed else "")
    args += ["-flags:v", flags, "-fflags", "+bitexact", "-flags:a", "+bitexact"]
    for i, (ar, ab) in enumerate(audio):
        args += ["-c:a:%d" % i, "mp2", "-b:a:%d" % i, "%dk" % ab, "-ar:a:%d" % i, str(ar), "-ac:a:%d" % i, "2"]
    if offset:
        args += ["-output_ts_offset", str(offset)]
    if muxer in ("dvd", "svcd"):
        args += ["-muxrate", "10080000"]
    args += ["-f", muxer, path]
    subprocess.run(args, check=True)


def find_all(data, code, start=0):
    out, i = [], data.find(code, start)
    while i >= 0:
        out.append(i)
        i = data.find(code, i + 1)
    return out


def noise(rng, n, stray_packs):
    """Random bytes without start codes, with a few stray pack headers (14 bytes of nonsense after
    their start code) among them."""
    junk = bytearray(rng.getrandbits(8) | 0x80 for _ in range(n))
    for k in range(stray_packs):
        at = (k + 1) * n // (stray_packs + 1)
        junk[at:at + 4] = b"\x00\x00\x01\xba"
        junk[at + 4:at + 14] = bytes(rng.getrandbits(8) | 0x80 for _ in range(10))
    return bytes(junk)


def damage(data, kind, seed):
    rng = random.Random(seed)
    packs = find_all(data, b"\x00\x00\x01\xba")
    if kind == "junk":
        return noise(rng, 3000 + rng.randrange(1000), 3) + data
    if kind == "badpack":
        # The pack header of the stream with every marker bit cleared.
        bad = bytearray(data[packs[0]:packs[0] + 14])
        bad[4] &= 0xC0 if (bad[4] & 0xC0) == 0x40 else 0x20
        bad[6] &= 0xFB
        return bytes(bad) + data
    if kind == "between":
        at = packs[len(packs) // 2]
        return data[:at] + noise(rng, 700, 1) + data[at:]
    if kind == "cut":
        return data[:packs[-1] + (len(data) - packs[-1]) // 2]
    raise KeyError(kind)


def make(outdir, name):
    os.makedirs(outdir, exist_ok=True)
    path = os.path.join(outdir, name + ".mpg")
    if os.path.exists(path) and os.path.getsize(path) > 0:
        return path
    base, kind = split(name)
    # Each process writes its own part file: two sweeps may make the same stream at once.
    tmp = "%s.%d.part" % (path, os.getpid())
    if kind:
        data = open(make(outdir, base), "rb").read()
        with open(tmp, "wb") as f:
            f.write(damage(data, kind, sum(name.encode())))
    else:
        encode(base, tmp)
    os.replace(tmp, path)
    return path


def start_sweep(prefix, description):
    """The arguments every sweep takes, its folders under the build folder, and its streams
    (made when missing): (arguments, build, work folder, output folder, names, seconds taken)."""
    ap = argparse.ArgumentParser(description=description)
    ap.add_argument("build")
    ap.add_argument("--grid", default="ci", choices=("ci", "wide"))
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--only", default="", help="only the streams whose name holds this")
    ap.add_argument("--keep", action="store_true", help="keep the outputs that passed")
    ap.add_argument("--sample", type=int, default=1, help="run only every Nth case of the grid")
    args = ap.parse_args()
    build = os.path.abspath(args.build)
    work = os.path.join(build, "%s-%s" % (prefix, args.grid))
    outdir = os.path.join(work, "out")
    os.makedirs(outdir, exist_ok=True)
    names = [n for n in SETS[args.grid] if args.only in n]
    t0 = time.time()
    for name in names:
        make(os.path.join(build, "sweep-streams"), name)
    return args, build, work, outdir, names, time.time() - t0


def main():
    if sys.argv[1] == "--list":
        names = SETS[sys.argv[2]] if len(sys.argv) > 2 else sorted(BASES)
        print("\n".join(names))
        return 0
    outdir = sys.argv[1]
    for name in sys.argv[2:]:
        make(outdir, name)
    return 0


if __name__ == "__main__":
    sys.exit(main())

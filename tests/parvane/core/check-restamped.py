#!/usr/bin/env python3
"""Checks what the pause replay wrote, with ffprobe and ffmpeg:
- video decode times and audio presentation times strictly increase across every seam;
- ffmpeg stream-copies the result without "Non-monotonous DTS";
- the decoded pictures are exactly those of the delivered GOPs, in order, apart from the
  pictures a pause must cost (listed per case below).
usage: check-restamped.py OUTPUT_DIR FIXTURE_DIR"""
import json
import os
import subprocess
import sys


def run(args):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def packets(path):
    r = run(["ffprobe", "-v", "error", "-show_entries",
             "stream=index,codec_type,r_frame_rate:packet=stream_index,pts,dts,pos", "-of", "json", path])
    data = json.loads(r.stdout)
    kinds = {s["index"]: s["codec_type"] for s in data["streams"]}
    rates = {}
    for s in data["streams"]:
        num, _, den = s.get("r_frame_rate", "0/1").partition("/")
        if s["codec_type"] == "video" and int(den or 1) and int(num):
            rates[s["index"]] = int(num) / int(den)
    return kinds, rates, data.get("packets", [])


def frames(path):
    """Decoded pictures in output order: (md5, source position of the picture's packet)."""
    md5 = run(["ffmpeg", "-v", "error", "-i", path, "-map", "0:v:0", "-f", "framemd5", "-"]).stdout
    sums = [l.split(",")[-1].strip() for l in md5.splitlines() if l and not l.startswith("#")]
    probe = run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries", "frame=pkt_pos,pict_type",
                 "-of", "json", path])
    info = json.loads(probe.stdout).get("frames", [])
    pos = [int(f.get("pkt_pos", -1)) for f in info]
    types = [f.get("pict_type", "?") for f in info]
    if len(pos) != len(sums):
        pos = [-1] * len(sums)
        types = ["?"] * len(sums)
    return sums, pos, types


def main():
    outdir, fixdir = sys.argv[1], sys.argv[2]
    failures = []
    lines = open(os.path.join(outdir, "manifest.txt")).read().split("\n")
    cases = [l.split() for l in lines if l.strip()]
    if not cases:
        print("no replay output")
        return 1
    for fixture, output, lostb, kept, ranges in cases:
        src = os.path.join(fixdir, fixture)
        out = os.path.join(outdir, output)
        lostb = int(lostb)
        kept = [int(k) for k in kept.split(",")]
        ranges = [tuple(int(x) for x in r.split("-")) for r in ranges.split(",")]
        name = output
        seams = sum(1 for a, b in zip(kept, kept[1:]) if b != a + 1)

        # Time stamps across every seam.
        kinds, rates, pk = packets(out)
        last = {}
        bad = 0
        close = 0
        for p in pk:
            kind = kinds.get(p["stream_index"])
            if kind == "video":
                t = p.get("dts", p.get("pts"))
            elif kind == "audio":
                t = p.get("pts")
            else:
                continue
            if t is None:
                continue
            prev = last.get(p["stream_index"])
            if prev is not None and t <= prev:
                bad += 1
                if bad <= 3:
                    print(f"{name}: {kind} time {t} after {prev} at byte {p.get('pos')}")
            # Each video decode time at least one picture after the one before (90 kHz ticks).
            rate = rates.get(p["stream_index"])
            if prev is not None and rate and t - prev < 90000 / rate - 1:
                close += 1
                if close <= 3:
                    print(f"{name}: video decode time {t} less than a picture after {prev}")
            last[p["stream_index"]] = t
        if bad:
            failures.append(f"{name}: {bad} time stamps do not increase")
        if close:
            failures.append(f"{name}: {close} video decode times closer than a picture")

        # Stream copy.
        fmt = "mpeg" if fixture.startswith("m1") else "vob"
        r = run(["ffmpeg", "-v", "warning", "-i", out, "-map", "0:v", "-map", "0:a", "-c", "copy", "-f", fmt,
                 "-y", os.devnull])
        if "onotonous" in r.stderr or "onotonic" in r.stderr or r.returncode != 0:
            failures.append(f"{name}: stream copy complains: {r.stderr.strip()[:300]}")

        # Pictures.
        src_sums, src_pos, src_types = frames(src)
        out_sums, _, _ = frames(out)

        def gop_of(pos):
            for i, (a, b) in enumerate(ranges):
                if a <= pos < b:
                    return i
            return -1

        expected = [i for i, p in enumerate(src_pos) if gop_of(p) in kept]
        index = {s: i for i, s in enumerate(src_sums)}
        matched = [index[s] for s in out_sums if s in index]
        damaged = len(out_sums) - len(matched)
        order_ok = all(a < b for a, b in zip(matched, matched[1:]))
        strays = [i for i in matched if i not in set(expected)]
        missing = [i for i in expected if i not in set(matched)]
        missing_b = [i for i in missing if src_types[i] == "B"]
        print(f"{name}: {len(out_sums)} pictures, {len(expected)} in the kept GOPs, {len(missing)} missing "
              f"({len(missing_b)} B), {damaged} not in the source, {seams} pauses")
        if not order_ok:
            failures.append(f"{name}: pictures out of order")
        if strays:
            failures.append(f"{name}: pictures of dropped GOPs: {strays[:5]}")
        # Which pictures a pause may cost, by name:
        # - the last picture (in stream order) of the GOP before each pause: the pause filter
        #   cuts at the pack holding the next GOP header, which also holds that picture's end;
        # - in open GOPs, the B pictures of the GOP after each resume that refer to the picture
        #   before it, which was never delivered (removed in lost-B mode, damaged otherwise).
        before_pause = [a for a, b in zip(kept, kept[1:]) if b != a + 1]
        after_pause = [b for a, b in zip(kept, kept[1:]) if b != a + 1]
        cut_tail = set()
        for g in before_pause:
            members = [i for i, p in enumerate(src_pos) if gop_of(p) == g]
            if members:
                cut_tail.add(max(members, key=lambda i: src_pos[i]))
        resumed_b = set()
        for g in after_pause:
            members = sorted((i for i, p in enumerate(src_pos) if gop_of(p) == g), key=lambda i: src_pos[i])
            for i in members[1:]:
                if src_types[i] != "B":
                    break
                resumed_b.add(i)
        allowed = cut_tail | resumed_b
        unexplained = [i for i in missing if i not in allowed]
        if unexplained:
            failures.append(f"{name}: pictures of kept GOPs missing or damaged: {unexplained[:8]}")
        opengop = not fixture.startswith("m2-closed")
        if damaged > len(missing):
            failures.append(f"{name}: {damaged} pictures that are not in the source")
        if lostb and opengop and damaged > len(cut_tail):
            failures.append(f"{name}: lost-B mode kept B pictures that lost their reference")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

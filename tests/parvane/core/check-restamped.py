#!/usr/bin/env python3
"""Checks what the pause replay wrote, with ffprobe and ffmpeg:
- video decode times and audio presentation times strictly increase across every seam;
- ffmpeg stream-copies the result without "Non-monotonous DTS";
- the decoded pictures are exactly those of the delivered GOPs, in order, apart from the
  pictures a pause must cost (listed per case below).
usage: check-restamped.py OUTPUT_DIR FIXTURE_DIR"""
import concurrent.futures
import functools
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


# Frame rates by the sequence header's frame_rate_code.
FRAME_RATES = {1: 24000 / 1001, 2: 24, 3: 25, 4: 30000 / 1001, 5: 30, 6: 50, 7: 60000 / 1001, 8: 60}


@functools.lru_cache(maxsize=None)
def coded_rate(path):
    """The video frame rate the stream's sequence header gives. ffprobe's r_frame_rate is a guess
    from the time stamps, which a pause's gap (rightly not a whole number of pictures) throws off."""
    with open(path, "rb") as f:
        b = f.read(1 << 20)
    i = b.find(b"\x00\x00\x01\xb3")
    if i < 0 or i + 8 > len(b):
        return None
    return FRAME_RATES.get(b[i + 7] & 0x0F)


@functools.lru_cache(maxsize=None)
def picture_headers(path):
    """File positions of the video picture start codes, in stream order. The PES packets of
    the video are followed so that a start code split across two packets is still found."""
    b = open(path, "rb").read()
    es = bytearray()
    where = []          # (offset in es, file position of that payload)
    i = 0
    while True:
        i = b.find(b"\x00\x00\x01", i)
        if i < 0 or i + 6 > len(b):
            break
        sid = b[i + 3]
        if sid == 0xBA:
            i += 14 + (b[i + 13] & 7) if (b[i + 4] & 0xC0) == 0x40 else 12
            continue
        if sid < 0xBB:
            i += 1
            continue
        end = i + 6 + ((b[i + 4] << 8) | b[i + 5])
        if 0xE0 <= sid <= 0xEF:
            q = i + 6
            if (b[q] & 0xC0) == 0x80:
                q = i + 9 + b[i + 8]
            else:
                while q < end and b[q] == 0xFF:
                    q += 1
                if q < end and (b[q] & 0xC0) == 0x40:
                    q += 2
                q += 5 if (b[q] & 0xF0) == 0x20 else 10 if (b[q] & 0xF0) == 0x30 else 1
            where.append((len(es), q))
            es += b[q:end]
        i = end
    pics = []
    j = es.find(b"\x00\x00\x01\x00")
    k = 0
    while j >= 0:
        while k + 1 < len(where) and where[k + 1][0] <= j:
            k += 1
        pics.append(where[k][1] + (j - where[k][0]))
        j = es.find(b"\x00\x00\x01\x00", j + 4)
    return pics


@functools.lru_cache(maxsize=None)
def frames(path):
    """Decoded pictures in output order: (md5, position of the picture's packet, picture type)."""
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


def check_case(case, fixdir, outdir):
    """One replay output; returns its report lines and its failures."""
    fixture, output, lostb, kept, ranges = case
    failures = []
    report = []
    src = os.path.join(fixdir, fixture)
    out = os.path.join(outdir, output)
    lostb = int(lostb)
    kept = [int(k) for k in kept.split(",")]
    ranges = [tuple(int(x) for x in r.split("-")) for r in ranges.split(",")]
    name = output
    seams = sum(1 for a, b in zip(kept, kept[1:]) if b != a + 1)

    # Time stamps across every seam.
    kinds, rates, pk = packets(out)
    rate = coded_rate(src)
    if rate:
        rates = {i: rate for i in rates}
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
                report.append(f"{name}: {kind} time {t} after {prev} at byte {p.get('pos')}")
        # Each video decode time at least one picture after the one before (90 kHz ticks).
        rate = rates.get(p["stream_index"]) if kind == "video" else None
        if prev is not None and rate and t - prev < 90000 / rate - 1:
            close += 1
            if close <= 3:
                report.append(f"{name}: video decode time {t} less than a picture after {prev}")
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
    src_sums, src_packet, src_types = frames(src)
    out_sums, _, _ = frames(out)
    # A picture belongs to the GOP whose delivery holds its picture header. ffmpeg gives the
    # position of the packet where the picture's coded data begins, which may be a sequence
    # header one pack before the pack that holds the GOP header.
    headers = picture_headers(src)
    src_pos = []
    for p in src_packet:
        n = next((h for h in headers if h >= p), -1) if p >= 0 else -1
        src_pos.append(n)

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
    report.append(f"{name}: {len(out_sums)} pictures, {len(expected)} in the kept GOPs, {len(missing)} missing "
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
    return report, failures


def main():
    outdir, fixdir = sys.argv[1], sys.argv[2]
    failures = []
    lines = open(os.path.join(outdir, "manifest.txt")).read().split("\n")
    cases = [l.split() for l in lines if l.strip()]
    if not cases:
        print("no replay output")
        return 1
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for report, found in pool.map(lambda c: check_case(c, fixdir, outdir), cases):
            for line in report:
                print(line)
            failures += found
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

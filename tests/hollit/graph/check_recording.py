#!/usr/bin/env python3
"""Checks what the pause filter wrote against its source stream.

check_recording.py [--damaged N] SOURCE OUTPUT SAMPLE_BYTES [ACTIONS...]

--damaged N allows N pictures of the output that are not the source's: the B pictures that open a
group delivered after delivery was switched off without a pause (they refer to a dropped group),
or, where a GOP header does not begin its pack, the last picture of a group kept before a cut.

- video DTS and audio PTS of the output strictly increase, and a stream copy of it reports no
  non-monotonous time stamps;
- the output's pictures are the source's pictures of whole groups of pictures, in order (a group
  delivered first after a pause may lack its leading B pictures, which refer to a dropped group);
- the groups kept are exactly those the filter's rules keep for these pauses and sample size.
"""
import subprocess
import sys


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True)


def find_all(data, code):
    out, i = [], data.find(code)
    while i >= 0:
        out.append(i)
        i = data.find(code, i + 1)
    return out


PACK, GOP, SYSTEM = b"\x00\x00\x01\xba", b"\x00\x00\x01\xb8", b"\x00\x00\x01\xbb"


def expected_groups(data, sample, actions):
    """Simulates the queue's cutting rules on group boundaries; returns the kept GOP indexes."""
    gops = find_all(data, GOP)
    packs = find_all(data, PACK)
    gop_pack = []
    for g in gops:
        before = [p for p in packs if p + 4 <= g]
        gop_pack.append(before[-1])
    length = len(data)
    deliver, synced, started = True, False, False
    current = None  # byte offset where the group being gathered began
    kept_ranges = []

    def close(at):
        nonlocal current
        if current is not None and deliver:
            kept_ranges.append((current, at))
        current = None

    for i in range((length + sample - 1) // sample):
        act = actions.get(i)
        if act == "p":
            deliver, synced, current = False, False, None
        elif act in ("r", "e"):
            deliver = True
        elif act == "d":
            deliver = False
        s0, s1 = i * sample, min(length, (i + 1) * sample)
        inside = [g for g in gops if s0 <= g and g + 4 <= s1]
        split = [g for g in gops if g < s0 < g + 4]
        if inside:
            g = inside[0]
            p = [q for q in packs if s0 <= q and q + 4 <= g]
            if p:
                at = p[-1]
                close(at)
                if not started:
                    first = [q for q in packs if s0 <= q and q + 4 <= s1][0]
                    current = first
                else:
                    current = at
                synced = started = True
            else:
                if not synced:
                    continue
                at = gop_pack[gops.index(g)]
                close(at)
                current = at
                synced = started = True
        elif split and synced:
            # A GOP header split between two samples is cut at its pack all the same.
            at = gop_pack[gops.index(split[0])]
            close(at)
            current = at
    close(length)
    kept = []
    for k, start in enumerate(gop_pack):
        if any(a <= start < b for a, b in kept_ranges):
            kept.append(k)
    return kept


def packets(path):
    text = run("ffprobe", "-v", "error", "-show_entries", "packet=codec_type,dts,pts", "-of", "csv=p=0", path).stdout
    video, audio = [], []
    for line in text.splitlines():
        kind, pts, dts = (line.split(",") + ["", ""])[:3]
        if kind == "video" and dts not in ("", "N/A"):
            video.append(int(dts))
        elif kind == "audio" and pts not in ("", "N/A"):
            audio.append(int(pts))
    return video, audio


def frames(path):
    text = run("ffmpeg", "-v", "error", "-i", path, "-map", "0:v", "-f", "framemd5", "-").stdout
    return [line.split(",")[-1].strip() for line in text.splitlines() if line and not line.startswith("#")]


def picture_types(path):
    text = run("ffprobe", "-v", "error", "-select_streams", "v", "-show_entries", "frame=pict_type",
               "-of", "csv=p=0", path).stdout
    return [t.strip().strip(",") for t in text.splitlines() if t.strip().strip(",")]


def main():
    args = sys.argv[1:]
    damaged = 0
    if args and args[0] == "--damaged":
        damaged = int(args[1])
        args = args[2:]
    source, output, sample = args[0], args[1], int(args[2])
    actions = {int(a[1:]): a[0] for a in args[3:] if a != "stop"}
    errors = []

    video, audio = packets(output)
    if not video:
        errors.append("no video in the output")
    if any(b <= a for a, b in zip(video, video[1:])):
        errors.append("video DTS not strictly increasing")
    if any(b <= a for a, b in zip(audio, audio[1:])):
        errors.append("audio PTS not strictly increasing")
    copy = subprocess.run(["ffmpeg", "-v", "warning", "-i", output, "-c", "copy", "-f", "null", "-"],
                          capture_output=True, text=True)
    if "Non-monotonous" in copy.stderr or "non monotonically" in copy.stderr:
        errors.append("stream copy reports non-monotonous time stamps")

    src_md5 = frames(source)
    types = picture_types(source)
    # Group of each source picture in display order: an I picture and the B pictures just before it.
    group, current = [], -1
    starts = []
    for i, t in enumerate(types):
        if t == "I":
            current += 1
            lead = 0
            while i - lead - 1 >= 0 and types[i - lead - 1] == "B" and current > 0:
                lead += 1
            for j in range(lead):
                group[i - lead + j] = current
            starts.append(i - lead)
        group.append(current)
    index = {m: i for i, m in enumerate(src_md5)}
    out_md5 = frames(output)
    mapped = []
    unknown = 0
    for m in out_md5:
        if m not in index:
            unknown += 1
            continue
        mapped.append(index[m])
    if unknown > damaged:
        errors.append("%d picture(s) of the output are not in the source" % unknown)
    if any(b <= a for a, b in zip(mapped, mapped[1:])):
        errors.append("pictures out of order or repeated")
    kept = sorted(set(group[i] for i in mapped))
    for k in kept:
        members = [i for i in range(len(group)) if group[i] == k]
        got = [i for i in mapped if group[i] == k]
        lead = [i for i in members if types[i] == "B" and i < members[0] + 3 and all(types[j] == "B" for j in range(members[0], i + 1))]
        if got == members or (damaged and len(members) - len(got) <= damaged):
            continue
        if k - 1 not in kept and got == [i for i in members if i not in lead]:
            continue
        errors.append("group %d only partly kept (%d of %d pictures)" % (k, len(got), len(members)))

    with open(source, "rb") as f:
        data = f.read()
    want = expected_groups(data, sample, actions)
    if kept != want:
        errors.append("groups kept %s, expected %s" % (kept, want))

    print("%s: %d of %d pictures, groups %s" % (output, len(out_md5), len(src_md5), kept))
    for e in errors:
        print("  FAIL:", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())

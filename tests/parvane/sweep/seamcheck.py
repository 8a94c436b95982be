#!/usr/bin/env python3
"""Checks recordings and edits that join pieces of program streams, with ffprobe and ffmpeg.

    seamcheck.py [-j N] MANIFEST...

A manifest line: the output path, the lost-B mode it was written with, then one TAB-separated
piece per source range written on its own, as source@start@end (byte positions in the source); an
output with no piece must not exist. For every output:
  - video decode times and every audio stream's presentation times rise strictly, with no step
    over one picture (video) or one audio frame (audio) beyond what the cut removed;
  - ffmpeg decodes video and audio without a single error and stream-copies the file without a
    complaint;
  - the decoded pictures are exactly the source's pictures of the groups of pictures whose
    headers lie in the pieces, in order (by -f framemd5); only the leading B pictures of an open
    group that opens a piece may be missing (lost-B mode) or not the source's (without it).
"""
import bisect
import concurrent.futures
import os
import re
import subprocess
import sys

FRAME_RATES = {1: 24000 / 1001, 2: 24, 3: 25, 4: 30000 / 1001, 5: 30, 6: 50, 7: 60000 / 1001, 8: 60}
# What ffmpeg says of a good stream that has been joined or starts late.
BENIGN = (
    re.compile(r"start time for stream \d+ is not set"),
    re.compile(r"stream \d+ : no TS found at start of file"),
    re.compile(r"Estimating duration from bitrate"),
    re.compile(r"Packet corrupt \(stream = \d+, dts = NOPTS\)"),
    re.compile(r"Last message repeated \d+ times"),
)


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def payload_start(data, pos, end):
    """First payload byte of the PES packet at pos (MPEG-1 or MPEG-2 header), or -1."""
    if pos + 9 > end:
        return -1
    if (data[pos + 6] & 0xC0) == 0x80:
        return pos + 9 + data[pos + 8]
    q = pos + 6
    while q < end and data[q] == 0xFF:
        q += 1
    if q < end and (data[q] & 0xC0) == 0x40:
        q += 2
    if q >= end:
        return -1
    return q + {0x20: 5, 0x30: 10}.get(data[q] & 0xF0, 1)


def video_es(data):
    """The first video stream's elementary stream and, per PES payload, (offset in the elementary
    stream, file position, length). Bytes that are no packet are passed over."""
    es = bytearray()
    pieces = []
    pos = data.find(b"\x00\x00\x01")
    while 0 <= pos and pos + 6 <= len(data):
        code = data[pos + 3]
        if code == 0xBA:
            pos = data.find(b"\x00\x00\x01", pos + 4)
            continue
        if code < 0xBB:
            pos = data.find(b"\x00\x00\x01", pos + 1)
            continue
        end = min(len(data), pos + 6 + ((data[pos + 4] << 8) | data[pos + 5]))
        if code == 0xE0:
            q = payload_start(data, pos, end)
            if 0 <= q < end:
                pieces.append((len(es), q, end - q))
                es += data[q:end]
        nxt = data.find(b"\x00\x00\x01", end)
        pos = nxt if nxt >= 0 else -1
    return bytes(es), pieces


class Source:
    """A source stream: its pictures in display order with the group each belongs to, and what
    ffmpeg decodes of it."""

    def __init__(self, path):
        self.path = path
        data = open(path, "rb").read()
        self.size = len(data)
        es, pieces = video_es(data)
        starts = [p[0] for p in pieces]

        def file_pos(i):
            k = bisect.bisect_right(starts, i) - 1
            return pieces[k][1] + (i - pieces[k][0])

        seq = es.find(b"\x00\x00\x01\xb3")
        self.rate = FRAME_RATES.get(es[seq + 7] & 0x0F, 25) if seq >= 0 else 25
        self.gops = []       # (file position of the GOP header, closed)
        pictures = []        # (display index, group, picture type)
        base = count = 0
        i = es.find(b"\x00\x00\x01")
        while 0 <= i and i + 6 <= len(es):
            code = es[i + 3]
            if code == 0xB8 and i + 8 <= len(es):
                base += count
                count = 0
                self.gops.append((file_pos(i), bool(es[i + 7] & 0x40)))
            elif code == 0x00 and self.gops:
                tr = (es[i + 4] << 2) | (es[i + 5] >> 6)
                pictures.append((base + tr, len(self.gops) - 1, (es[i + 5] >> 3) & 7))
                count += 1
            i = es.find(b"\x00\x00\x01", i + 3)
        pictures.sort()
        self.group = [g for _, g, _ in pictures]
        self.types = [t for _, _, t in pictures]
        # B pictures shown before their group's I picture refer to the group before.
        self.leading = []
        first_i = {}
        for n, (g, t) in enumerate(zip(self.group, self.types)):
            if t == 1 and g not in first_i:
                first_i[g] = n
        for n, (g, t) in enumerate(zip(self.group, self.types)):
            self.leading.append(t == 3 and n < first_i.get(g, -1) and not self.gops[g][1])
        per_group = {}
        for g, lead in zip(self.group, self.leading):
            per_group[g] = per_group.get(g, 0) + lead
        self.max_leading = max(per_group.values(), default=0)
        self.scrs = pack_clocks(data)
        kinds, ids, stamps = time_stamps(path, True)
        video = [v for i, v in stamps.items() if kinds[i] == "video"]
        self.video_times = video[0] if video else []
        self.audio_times = {ids[i]: v for i, v in stamps.items() if kinds[i] == "audio"}
        # What ffmpeg says of the source itself (a muxer's notes on stream copy, a cut-off end)
        # is no fault of an output made from it.
        self.md5, complaints = decode(path, "mpeg" if Checker.is_mpeg1(path) else "vob")
        self.known_complaints = set(normalized(c) for c in complaints)
        self.complaints = []
        self.known = set(self.md5)
        self.audio_frames = audio_frames(path)
        if len(self.md5) != len(self.group):
            self.complaints.append("%d pictures in the stream, %d decoded" % (len(self.group), len(self.md5)))

    def video_lead(self, stream_id, position, before):
        """How far the video's decode times run ahead of the audio's presentation times at a
        position (90 kHz ticks): over the last packets before it, or the first ones from it on."""
        audio = self.audio_times.get(stream_id, [])
        if not audio or not self.video_times:
            return None

        def near(times):
            if before:
                return ([t for t, p in times if p < position][-1:] or [times[0][0]])[0]
            return ([t for t, p in times if p >= position][:1] or [times[-1][0]])[0]
        return near(self.video_times) - near(audio)

    def clock_lead(self, position, before):
        """How far the video's decode times run ahead of the pack clock (ticks): after a cut at
        position (the next picture slot against the last pack clock written, that of the packs
        that close the cut at the latest), or from position on (first decode time against the
        first pack clock)."""
        if not self.video_times or not self.scrs:
            return None
        if before:
            times = [t for t, p in self.video_times if p < position]
            clocks = [c for p, c in self.scrs if position <= p < position + 16384]
            clocks = clocks or [c for p, c in self.scrs if p < position][-1:]
            return times[-1] + 90000 / self.rate - max(clocks) if times and clocks else None
        times = [t for t, p in self.video_times if p >= position]
        clocks = [c for p, c in self.scrs if p >= position]
        return times[0] - clocks[0] if times and clocks else None

    def group_of_position(self, start, end):
        return [g for g, (pos, _) in enumerate(self.gops) if start <= pos < end]


def pack_clocks(data):
    """(position, SCR in 90 kHz ticks) of every pack header whose marker bits hold."""
    out = []
    i = data.find(b"\x00\x00\x01\xba")
    while 0 <= i and i + 10 <= len(data):
        b = data[i + 4:i + 10]
        if (b[0] & 0xF1) == 0x21:
            out.append((i, ((b[0] >> 1) & 7) << 30 | b[1] << 22 | (b[2] >> 1) << 15 | b[3] << 7 | b[4] >> 1))
        elif (b[0] & 0xC4) == 0x44:
            out.append((i, ((b[0] >> 3) & 7) << 30 | (b[0] & 3) << 28 | b[1] << 20 | (b[2] >> 3) << 15
                        | (b[2] & 3) << 13 | b[3] << 5 | b[4] >> 3))
        i = data.find(b"\x00\x00\x01\xba", i + 4)
    return out


UNSTAMPED = re.compile(r"Timestamps are unset in a packet for stream 0\.")


def unstamped_only_at_seams(path, frame):
    """Whether every picture without a presentation time is the last one before a seam (a step
    of the decode times other than one picture) or before the end."""
    r = run(["ffprobe", "-v", "error", "-select_streams", "v:0", "-show_entries", "packet=pts,dts", "-of",
             "csv=p=0", path])
    rows = [l.strip().split(",") for l in r.stdout.splitlines() if l.strip()]
    for i, row in enumerate(rows):
        if row[0] != "N/A":
            continue
        if i + 1 < len(rows) and "N/A" not in (row[1], rows[i + 1][1]) and \
                abs(int(rows[i + 1][1]) - int(row[1]) - frame) <= 1:
            return False
    return True


def normalized(complaint):
    return re.sub(r"0x[0-9a-f]+|\d+", "#", complaint)


def decode(path, copy_format):
    """Pictures of the first video stream (md5 per picture, display order) and every complaint
    ffmpeg makes while decoding video and audio and, with a format, while stream-copying."""
    args = ["ffmpeg", "-nostdin", "-hide_banner", "-v", "warning", "-i", path,
            "-map", "0:v:0", "-fps_mode", "passthrough", "-f", "framemd5", "-", "-map", "0:a?", "-f", "null", "-"]
    if copy_format:
        args += ["-map", "0:v", "-map", "0:a?", "-c", "copy", "-f", copy_format, "-y", os.devnull]
    r = run(args)
    sums = [l.split(",")[-1].strip() for l in r.stdout.splitlines() if l and not l.startswith("#")]
    complaints = [l.strip() for l in r.stderr.splitlines()
                  if l.strip() and not any(b.search(l) for b in BENIGN)]
    if r.returncode:
        complaints.append("ffmpeg ended with %d" % r.returncode)
    return sums, complaints


def audio_frames(path):
    """Seconds per audio frame of each audio stream, by stream id."""
    r = run(["ffprobe", "-v", "error", "-show_entries", "stream=id,codec_type,codec_name,sample_rate",
             "-of", "compact=p=0", path])
    frames = {}
    for line in r.stdout.splitlines():
        f = dict(kv.split("=", 1) for kv in line.split("|") if "=" in kv)
        if f.get("codec_type") == "audio" and f.get("sample_rate", "0").isdigit() and int(f["sample_rate"]):
            samples = 384 if f.get("codec_name") == "mp1" else 1536 if f.get("codec_name") == "ac3" else 1152
            frames[f.get("id", "")] = samples / int(f["sample_rate"])
    return frames


def time_stamps(path, with_positions=False):
    """Per stream index: its type and stream id, and its packets' decode (video) or presentation
    (audio) times in 90 kHz ticks, with the file position of the packet each lies in."""
    r = run(["ffprobe", "-v", "error", "-show_entries",
             "stream=index,codec_type,id:packet=stream_index,pts,dts,pos", "-of", "compact=p=0", path])
    kinds, ids, packets = {}, {}, []
    for line in r.stdout.splitlines():
        f = dict(kv.split("=", 1) for kv in line.split("|") if "=" in kv)
        if "codec_type" in f:
            kinds[int(f["index"])] = f["codec_type"]
            ids[int(f["index"])] = f.get("id", "")
        elif "stream_index" in f:
            packets.append(f)
    stamps = {}
    last_pos = {}
    for f in packets:
        s = int(f["stream_index"])
        key = "dts" if kinds.get(s) == "video" else "pts"
        pos = f.get("pos", "N/A")
        if pos not in ("N/A", ""):
            last_pos[s] = int(pos)
        if kinds.get(s) in ("video", "audio") and f.get(key, "N/A") not in ("N/A", ""):
            t = int(f[key])
            stamps.setdefault(s, []).append((t, last_pos.get(s, 0)) if with_positions else t)
    return kinds, ids, stamps


class Checker:
    def __init__(self):
        self.sources = {}

    def source(self, path):
        if path not in self.sources:
            self.sources[path] = Source(path)
        return self.sources[path]

    def check(self, output, lost_b, pieces):
        """Problems of one output (an empty list when it is right) and a line about it."""
        if not pieces:
            if os.path.exists(output):
                return ["written although nothing was to be written (%d bytes)" % os.path.getsize(output)], ""
            return [], "nothing written"
        if not os.path.exists(output):
            return ["no output"], ""
        problems = []
        sources = [self.source(p) for p, _, _ in pieces]
        for s in set(sources):
            problems += ["source %s: %s" % (s.path, c) for c in s.complaints[:3]]

        # The pictures each piece must hold.
        expected = []     # (md5, may be missing or damaged)
        seams = 0
        droppable = 0
        for n, (src, (_, start, end)) in enumerate(zip(sources, pieces)):
            groups = src.group_of_position(start, end)
            # Every piece listed was written on its own (pieces that the writer joins come as one).
            joined = n > 0
            late = n == 0 and groups and groups[0] > 0
            seams += joined
            for i, g in enumerate(src.group):
                if groups and groups[0] <= g <= groups[-1]:
                    loose = (joined or late) and g == groups[0] and src.leading[i]
                    droppable += loose
                    expected.append((src.md5[i] if i < len(src.md5) else "", loose))
        copy_format = "mpeg" if self.is_mpeg1(output) else "vob"
        got, complaints = decode(output, copy_format)
        notes = set().union(*(s.known_complaints for s in sources))
        complaints = [c for c in complaints if normalized(c) not in notes]
        # The muxer of the sources leaves a picture unstamped where its sequence header began in
        # the packet before; a stream copy complains of it only when no picture after it in the
        # same time line tells its time (before a seam or the end).
        if any(UNSTAMPED.search(c) for c in complaints) and unstamped_only_at_seams(output, 90000 / sources[0].rate):
            complaints = [c for c in complaints if not UNSTAMPED.search(c)]
        problems += complaints[:5]
        if len(complaints) > 5:
            problems.append("... %d complaints in all" % len(complaints))
        known = set().union(*(s.known for s in sources))
        k = 0
        missing = damaged = 0
        for want, loose in expected:
            if k < len(got) and got[k] == want:
                k += 1
            elif loose and lost_b:
                missing += 1
            elif loose and k < len(got) and got[k] not in known:
                damaged += 1
                k += 1
            elif loose:
                missing += 1
            else:
                problems.append("picture %d of %d is not the source's (%d pictures written)" % (
                    k, len(expected), len(got)))
                break
        else:
            if k < len(got):
                problems.append("%d pictures more than the pieces hold" % (len(got) - k))

        # Time stamps: strictly rising, with steps of one picture or audio frame but at the seams.
        rate = sources[0].rate
        frame = 90000 / rate
        kinds, ids, placed = time_stamps(output, True)
        stamps = {k: [t for t, _ in v] for k, v in placed.items()}
        clocks = pack_clocks(open(output, "rb").read())
        clock_at = [p for p, _ in clocks]

        def clock_rise(s, i):
            """How much more the video after step i of stream s runs ahead of the pack clock
            than the video before it (ticks; 0 when not known)."""
            k = bisect.bisect_right(clock_at, placed[s][i + 1][1]) - 1
            if k < 1:
                return 0
            before = placed[s][i][0] + frame - clocks[k - 1][1]
            after = placed[s][i + 1][0] - clocks[k][1]
            return max(0, after - before)
        # Where the video leads the audio more before a seam than after it, the pictures running
        # on leave the audio that much of a gap.
        lead_change = {}
        for n in range(1, len(pieces)):
            for sid in sources[n].audio_times:
                end = sources[n - 1].video_lead(sid, pieces[n - 1][2], True)
                start = sources[n].video_lead(sid, pieces[n][1], False)
                if end is not None and start is not None:
                    lead_change[sid] = max(lead_change.get(sid, 0), end - start)
        # Where the video after a seam runs further ahead of the pack clock than before it, the
        # time line moves on by the difference (else the decoder's buffer would run dry).
        clock_gap = 0
        for n in range(1, len(pieces)):
            before = sources[n - 1].clock_lead(pieces[n - 1][2], True)
            after = sources[n].clock_lead(pieces[n][1], False)
            if before is not None and after is not None:
                clock_gap = max(clock_gap, after - before)
        # The gap the pictures leave at a seam for the clock is the sound's as well.
        for s, ts in stamps.items():
            if kinds.get(s) == "video":
                for i, d in enumerate(b - a for a, b in zip(ts, ts[1:])):
                    if d > 2 * frame:
                        clock_gap = max(clock_gap, min(d - frame, clock_rise(s, i)))
        worst = {}
        for s, ts in stamps.items():
            steps = [b - a for a, b in zip(ts, ts[1:])]
            if kinds.get(s) == "video":
                unit = frame
                limit = frame * (2 + (max(src.max_leading for src in sources) if droppable else 0)) + clock_gap
            else:
                # A frame of its own, the frame whose start lay in what the cut removed, and up to
                # one more where the frames after the seam do not fall on those before.
                unit = 90000 * sources[0].audio_frames.get(ids.get(s), 0.024)
                change = lead_change.get(ids.get(s), 0)
                limit = (3 if seams else 1) * unit + (change + unit if change > 0 else 0) + clock_gap
            back = [d for d in steps if d <= 0]
            if back:
                problems.append("%s stream %d: %d time stamps do not rise (%s)" % (
                    kinds.get(s), s, len(back), ", ".join("%+d" % d for d in back[:4])))
            # A gap in the pictures is the seam's when the video runs that much further ahead of the
            # pack clock after it: its bytes would otherwise come too late to be decoded in time.
            big = [d for i, d in enumerate(steps) if d > limit + 1 and
                   not (kinds.get(s) == "video" and d <= limit + 1 + clock_rise(s, i))]
            if big:
                problems.append("%s stream %d: %d steps over %.1f frames (%s)" % (
                    kinds.get(s), s, len(big), limit / unit, ", ".join("%.2f" % (d / unit) for d in big[:4])))
            if steps:
                worst[s] = max(steps) / unit
        line = "%d pictures, %d seams, %d B pictures dropped, %d damaged, largest steps %s" % (
            len(got), seams, missing, damaged, " ".join("%s%d:%.2f" % (kinds.get(s, "?")[0], s, w)
                                                       for s, w in sorted(worst.items())))
        return problems, line

    @staticmethod
    def is_mpeg1(path):
        with open(path, "rb") as f:
            head = f.read(1 << 16)
        # The first pack header whose marker bits hold (noise may carry stray start codes).
        i = head.find(b"\x00\x00\x01\xba")
        while 0 <= i and i + 4 < len(head):
            if (head[i + 4] & 0xF1) == 0x21:
                return True
            if (head[i + 4] & 0xC4) == 0x44:
                return False
            i = head.find(b"\x00\x00\x01\xba", i + 1)
        return False


def parse_manifest(path):
    cases = []
    for line in open(path):
        if not line.strip():
            continue
        fields = line.rstrip("\n").split("\t")
        pieces = [(p, int(a), int(b)) for p, a, b in (f.rsplit("@", 2) for f in fields[2:])]
        cases.append((fields[0], int(fields[1]), pieces))
    return cases


def check_all(cases, jobs, keep=True):
    """Checks (label, output, lost-B mode, pieces, problems found before) side by side, the
    sources decoded once first; prints a line per output and returns how many failed. Outputs
    that pass are removed unless kept."""
    checker = Checker()
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        names = sorted({p for _, _, _, pieces, _ in cases for p, _, _ in pieces})
        for name, src in zip(names, pool.map(Source, names)):
            checker.sources[name] = src

        def one(case):
            label, output, lost_b, pieces, before = case
            if before and not os.path.exists(output):
                return before, ""
            problems, line = checker.check(output, lost_b, pieces)
            return before + problems, line
        results = list(pool.map(one, cases))
    failed = 0
    for (label, output, _, _, _), (problems, line) in zip(cases, results):
        if problems:
            print("FAILED %s -> %s" % (label, output))
            for p in problems:
                print("       " + p)
        else:
            print("ok     %s: %s" % (label, line))
            if not keep and os.path.exists(output):
                os.remove(output)
        failed += bool(problems)
    return failed


def main():
    args = sys.argv[1:]
    jobs = os.cpu_count() or 2
    if args[:1] == ["-j"]:
        jobs, args = int(args[1]), args[2:]
    cases = [(c[0], c[0], c[1], c[2], []) for m in args for c in parse_manifest(m)]
    failed = check_all(cases, jobs)
    print("%d outputs checked, %d failed" % (len(cases), failed))
    return 1 if failed or not cases else 0


if __name__ == "__main__":
    sys.exit(main())

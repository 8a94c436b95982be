#!/usr/bin/env python3
"""Saves segments, inverted segments, clip lists and insertions of program streams of many kinds
through Parvane.dll, at times swept across each file, and checks every output as the pause
filter's recordings are checked.

    parvane_sweep.py BUILD_DIR [--grid ci|wide] [--jobs N] [--only SUBSTRING] [--keep]

Besides seamcheck.py's checks: an operation returns 0 exactly when it had something to write, and
one that returns -1 leaves no file.
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import seamcheck  # noqa: E402
import streams  # noqa: E402


def winpath(path):
    return "Z:" + os.path.abspath(path)


def duration(path):
    r = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", path],
                       capture_output=True, text=True)
    try:
        return float(r.stdout.strip())
    except ValueError:
        return 2.0


def operations(names, streamdir, outdir, grid):
    """(out, lost-B, plan words) for every operation of the sweep."""
    ops = []
    paths = {n: os.path.join(streamdir, n + ".mpg") for n in names}
    lengths = {n: duration(p) for n, p in paths.items()}
    steps = 9 if grid == "wide" else 2
    for k, name in enumerate(names):
        src, length = paths[name], lengths[name]
        # Clips and insertions join files recorded alike: the stream itself, or a damaged copy.
        partner = [m for m in names if m != name and streams.split(m)[0] == streams.split(name)[0]]
        other = paths[partner[0]] if partner else src
        other_length = lengths[partner[0]] if partner else length
        for i in range(steps):
            # Times move from one stream to the next so that the sweep covers every part of a file.
            f = ((i + 0.37 * k) % steps + 0.5) / steps
            a = round(length * f * 0.8, 3)
            b = round(min(length * 0.98, a + length * (0.15 + 0.1 * (i % 3))), 3)
            lost_b = 0 if (k + i) % 5 == 2 else 1
            base = os.path.join(outdir, "%s-%d" % (name, i))
            ops.append((base + "-seg.mpg", lost_b, ["segments", "-", str(lost_b), "0", src, str(a), str(b)]))
            ops.append((base + "-two.mpg", lost_b, ["segments", "-", str(lost_b), "0", src, "0.05", str(a),
                                                     str(b), str(round(length * 0.99, 3))]))
            ops.append((base + "-inv.mpg", lost_b, ["segments", "-", str(lost_b), "1", src, str(a), str(b)]))
            oa = round(other_length * ((f + 0.3) % 1) * 0.7, 3)
            ops.append((base + "-clips.mpg", lost_b, ["clips", "-", str(lost_b), src, str(a), str(b),
                                                       other, str(oa), str(round(oa + 0.6, 3)), src, "0", "0.5"]))
            ops.append((base + "-ins.mpg", lost_b, ["insert", "-", str(lost_b), src, other, str(a)]))
        # Two clips that join where the first ends: the second goes on with the same packs, the
        # closing after the first already finished their open audio frames.
        for j, a in enumerate((0.1, 0.4, 0.9) if grid == "wide" else (0.1,)):
            ops.append((os.path.join(outdir, "%s-cont%d-clips.mpg" % (name, j)), 1,
                        ["clips", "-", "1", src, str(a), str(a + 0.5), other, str(a + 0.5), str(a + 1.1)]))
        # Nothing to write: a clip inside one group, a range past the end, an inverted range over
        # the whole file.
        base = os.path.join(outdir, "%s-none" % name)
        ops.append((base + "-clip.mpg", 1, ["clips", "-", "1", src, "1.01", "1.05"]))
        ops.append((base + "-past.mpg", 1, ["segments", "-", "1", "0", src, str(length + 5), str(length + 9)]))
        ops.append((base + "-all.mpg", 1, ["segments", "-", "1", "1", src, "0", str(length + 5)]))
    return ops


def main():
    args, build, work, outdir, names, making = streams.start_sweep("parvane-sweep", __doc__)
    streamdir = os.path.join(build, "sweep-streams")
    t1 = time.time()
    ops = operations(names, streamdir, outdir, args.grid)[::args.sample]

    # The operations run in `jobs` processes, each with its own plan and manifest.
    chunks = [ops[i::args.jobs] for i in range(args.jobs) if ops[i::args.jobs]]
    procs = []
    for j, chunk in enumerate(chunks):
        plan = os.path.join(work, "plan-%d.txt" % j)
        with open(plan, "w") as f:
            for out, lost_b, words in chunk:
                f.write(" ".join(winpath(w) if w.startswith("/") else (winpath(out) if w == "-" else w)
                                 for w in words) + "\n")
        procs.append(subprocess.Popen(["wine", "ParvaneSweepRun.exe", winpath(plan),
                                       winpath(os.path.join(work, "manifest-%d.txt" % j))],
                                      cwd=os.path.join(build, "bin"), stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, text=True))
    results = {}
    for j, p in enumerate(procs):
        out, _ = p.communicate()
        for line in out.splitlines():
            w = line.split()
            if len(w) == 4 and w[0] == "case":
                results[chunks[j][int(w[1]) - 1][0]] = (int(w[2]), int(w[3]))
    t2 = time.time()

    cases = []
    for j in range(len(chunks)):
        for output, lost_b, pieces in seamcheck.parse_manifest(os.path.join(work, "manifest-%d.txt" % j)):
            result, ranges = results.get(output, (-2, 0))
            before = []
            if result not in (0, -1):
                before.append("the operation did not run (%d)" % result)
            elif result == -1 and ranges:
                before.append("-1 although %d range(s) had bytes to write" % ranges)
            cases.append((os.path.basename(output), output, lost_b, pieces, before))
    failed = seamcheck.check_all(cases, args.jobs, args.keep)
    t3 = time.time()
    missing = len(ops) - len(cases)
    if missing:
        print("%d operations were not listed (the program stopped early)" % missing)
    print("%d outputs, %d failed; streams %.0f s, editing %.0f s, checking %.0f s" % (
        len(cases), failed + missing, making, t2 - t1, t3 - t2))
    return 1 if failed or missing or not cases else 0


if __name__ == "__main__":
    sys.exit(main())

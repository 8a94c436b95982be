#!/usr/bin/env python3
"""Records program streams of many kinds through the pause filter in real filter graphs under Wine,
pausing and resuming at points swept across each file, and checks every output.

    hollit_sweep.py BUILD_DIR [--grid ci|wide] [--jobs N] [--only SUBSTRING]

Each recording runs source -> pausing tap -> pause filter -> appending sink (HollitGraphRun, many
recordings per Wine process). What the output must hold comes from the filter's cutting rules
(pausemodel.py); seamcheck.py checks time stamps, decoding, stream copy and pictures.
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "parvane", "sweep"))
sys.path.insert(0, HERE)
import pausemodel  # noqa: E402
import seamcheck  # noqa: E402
import streams  # noqa: E402


SIZES = [188, 376, 1000, 2048, 2324, 3000, 4095, 16384, 65536]


def plans(samples, grid, seed):
    """Lists of actions (letter + sample index): pauses swept across the file, pauses of a single
    sample, several pauses in one recording, delivery switched off and on, a stop while a group is
    in progress. The CI grid takes fewer points per recording and moves them from one recording
    to the next (by seed), so that together they still cover the whole file."""
    at = lambda pct: max(1, samples * pct // 100)
    out = [[]]
    step = 6 if grid == "wide" else 23
    first = 3 if grid == "wide" else 3 + seed * 7 % step
    for pct in range(first, 97, step):
        out.append(["p%d" % at(pct), "r%d" % (at(pct) + max(1, samples // 12))])
    for pct in (7, 41, 77) if grid == "wide" else ((seed * 29 + 11) % 90 + 5,):
        out.append(["p%d" % at(pct), "r%d" % (at(pct) + 1)])
    out.append(["p%d" % at(15), "r%d" % at(30), "p%d" % at(50), "r%d" % (at(50) + 1), "p%d" % at(70), "r%d" % at(85)])
    out.append(["p0", "r1"])
    out.append(["p%d" % at(60)])
    out.append(["d%d" % at(40), "e%d" % at(55)])
    out.append(["p%d" % at(20), "r%d" % at(35), "stop"])
    if grid == "wide":
        out.append(["p%d" % at(90), "stop"])
        out.append(["stop"])
    return out


# Recordings that once lost their end or their data: (stream, sample bytes, actions by sample count).
EXTRA = [
    ("m1-b2-g12-vcd", 188, lambda count: ["p5", "r%d" % (count - 20)]),
    ("m1-b2-g12-vcd", 376, lambda count: ["p%d" % (count // 3), "r%d" % (count // 3 + 40)]),
    ("ntsc-b3-g15-dvd+junk", 65536, lambda count: ["p%d" % (count - 1)]),
    ("ntsc-b3-g15-dvd+junk", 65536, lambda count: ["p3", "r5"]),
    ("pal-b2-g12-vob+badpack", 2048, lambda count: []),
]


def cases(names, streamdir, outdir, grid):
    n = 0
    for k, name in enumerate(names):
        src = os.path.join(streamdir, name + ".mpg")
        size = os.path.getsize(src)
        # Sizes taken in turn from one stream to the next: five per stream in the wide sweep, one in CI
        # (the streams of the CI set still go through every size).
        picks = (0, 2, 4, 6, 7) if grid == "wide" else (0,)
        sizes = sorted({SIZES[(2 * k + i) % len(SIZES)] for i in picks})
        todo = [(sample, plans((size + sample - 1) // sample, grid, k * 3 + j)) for j, sample in enumerate(sizes)]
        todo += [(sample, [make((size + sample - 1) // sample)]) for extra, sample, make in EXTRA if extra == name]
        for sample, their_plans in todo:
            for actions in their_plans:
                n += 1
                thread = n % 2
                lost_b = 0 if n % 7 == 3 else 1
                out = os.path.join(outdir, "%s-%d-%d.mpg" % (name, sample, n))
                yield n, src, out, sample, thread, lost_b, actions


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_plans(build, rows, jobs, workdir):
    """Runs the recordings in `jobs` Wine processes at a time; {case number: what failed} for the
    recordings whose graph did not complete."""
    failures = {}
    todo = [rows[i::jobs] for i in range(jobs) if rows[i::jobs]]
    running = []
    while todo or running:
        while todo and len(running) < jobs:
            chunk = todo.pop(0)
            plan = os.path.join(workdir, "plan-%d.txt" % chunk[0][0])
            with open(plan, "w") as f:
                for n, src, out, sample, thread, lost_b, actions in chunk:
                    f.write(" ".join([winpath(src), winpath(out), str(sample), str(thread), str(lost_b)] + actions) + "\n")
            p = subprocess.Popen(["wine", "HollitGraphRun.exe", "--plan", winpath(plan)], cwd=os.path.join(build, "bin"),
                                 stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            running.append((chunk, p))
        chunk, p = running.pop(0)
        out, _ = p.communicate()
        done = 0
        for line in out.splitlines():
            words = line.split()
            if len(words) == 3 and words[0] == "case":
                done = int(words[1])
                if words[2] != "ok":
                    failures[chunk[done - 1][0]] = "the graph " + ("hung" if words[2] == "hung" else "did not complete")
        # A recording that hung ended the process: the rest of its plan runs in a new one.
        if done < len(chunk):
            failures.setdefault(chunk[done][0], "the graph ended the process")
            if done + 1 < len(chunk):
                todo.append(chunk[done + 1:])
    return failures


def main():
    args, build, work, outdir, names, making = streams.start_sweep("hollit-sweep", __doc__)
    streamdir = os.path.join(build, "sweep-streams")
    t1 = time.time()
    rows = [row for row in cases(names, streamdir, outdir, args.grid) if row[0] % args.sample == 0]
    for row in rows:
        if os.path.exists(row[2]):
            os.remove(row[2])
    subprocess.run(["wine", "regsvr32.exe", "/s", winpath(os.path.join(build, "bin", "Hollit.ax"))],
                   cwd=os.path.join(build, "bin"), check=True, capture_output=True)
    try:
        results = run_plans(build, rows, args.jobs, work)
    finally:
        subprocess.run(["wine", "regsvr32.exe", "/s", "/u", winpath(os.path.join(build, "bin", "Hollit.ax"))],
                       cwd=os.path.join(build, "bin"), capture_output=True)
    t2 = time.time()

    sources = {}
    checks = []
    for n, src, out, sample, thread, lost_b, actions in rows:
        if src not in sources:
            sources[src] = open(src, "rb").read()
        letters = {int(a[1:]): a[0] for a in actions if a != "stop"}
        ranges = pausemodel.kept_ranges(sources[src], sample, letters)
        label = "%s samples %d thread %d lost-B %d %s" % (os.path.basename(src), sample, thread, lost_b,
                                                        " ".join(actions) or "no pause")
        checks.append((label, out, lost_b, [(src, a, b) for a, b in ranges], [results[n]] if n in results else []))
    failed = seamcheck.check_all(checks, args.jobs, args.keep)
    t3 = time.time()
    print("%d recordings, %d failed; streams %.0f s, recording %.0f s, checking %.0f s" % (
        len(checks), failed, making, t2 - t1, t3 - t2))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Checks every output listed in the editor tests' manifests with ffprobe and ffmpeg.

Each manifest line: output path, the lost-B mode of the save, then one TAB-separated piece per source range written, as
source@start@end (byte positions in the source). For every output:
  - the stream list (type, codec, stream id) is that of the first source;
  - video decode times and audio presentation times rise strictly, per stream, and ffmpeg
    stream-copies the file without complaining about non-monotonous time stamps;
  - the pictures are exactly the source pictures of the GOPs whose headers lie in the ranges, in
    order (compared by -f framemd5), when every source has closed GOPs and no B picture is
    dropped; otherwise (open GOPs, lost-B mode) every output picture is a source picture of
    those ranges, in order, and at most a few per range are missing;
  - an output whose first range starts after the source's first GOP has no sound ahead of its
    first picture (the muxer put that sound there for pictures that are not written).
"""
import concurrent.futures
import json
import os
import subprocess
import sys

_frames_cache = {}


def run(args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def streams(path):
    info = json.loads(run(['ffprobe', '-v', 'error', '-show_entries', 'stream=codec_type,codec_name,id',
                           '-of', 'json', path]))
    return sorted((s.get('codec_type'), s.get('codec_name'), s.get('id')) for s in info['streams'])


def md5s(path):
    out = run(['ffmpeg', '-v', 'error', '-i', path, '-map', '0:v:0', '-fps_mode', 'passthrough',
               '-f', 'framemd5', '-'])
    return [line.split(',')[-1].strip() for line in out.splitlines() if line and not line.startswith('#')]


def picture_positions(path):
    """For every picture of the first video stream, in display order, the file position of the
    header of the GOP it belongs to: a range of packs holds the pictures of the GOPs whose
    headers lie in it."""
    data = open(path, 'rb').read()
    segments = []   # (offset in the video elementary stream, offset in the file, length)
    es = bytearray()
    pos = data.find(b'\x00\x00\x01\xba')
    while 0 <= pos and pos + 6 <= len(data):
        if data[pos:pos + 3] != b'\x00\x00\x01':
            pos = data.find(b'\x00\x00\x01', pos + 1)
            continue
        code = data[pos + 3]
        if code == 0xBA:
            pos += 14 + (data[pos + 13] & 7) if (data[pos + 4] & 0xC0) == 0x40 else 12
            continue
        if code < 0xBB:
            pos += 4
            continue
        end = pos + 6 + ((data[pos + 4] << 8) | data[pos + 5])
        if code == 0xE0:
            if (data[pos + 6] & 0xC0) == 0x80:
                q = pos + 9 + data[pos + 8]
            else:
                q = pos + 6
                while data[q] == 0xFF:
                    q += 1
                if (data[q] & 0xC0) == 0x40:
                    q += 2
                q += {0x20: 5, 0x30: 10}.get(data[q] & 0xF0, 1)
            end = min(end, len(data))
            segments.append((len(es), q, end - q))
            es += data[q:end]
        pos = end
    pictures = []
    base = count = 0
    gop_pos = -1
    seg = 0
    i = es.find(b'\x00\x00\x01')
    while 0 <= i and i + 6 <= len(es):
        code = es[i + 3]
        if code == 0xB8:
            base += count
            count = 0
            while segments[seg][0] + segments[seg][2] <= i:
                seg += 1
            gop_pos = segments[seg][1] + (i - segments[seg][0])
        elif code == 0x00:
            pictures.append((base + ((es[i + 4] << 2) | (es[i + 5] >> 6)), gop_pos))
            count += 1
        i = es.find(b'\x00\x00\x01', i + 3)
    return [p for _, p in sorted(pictures)]


def source_frames(path):
    if path not in _frames_cache:
        positions = picture_positions(path)
        hashes = md5s(path)
        if len(positions) != len(hashes):
            raise RuntimeError('%s: %d pictures in the stream, %d decoded' % (path, len(positions), len(hashes)))
        _frames_cache[path] = list(zip(positions, hashes))
    return _frames_cache[path]


def all_gops_closed(path):
    data = open(path, 'rb').read()
    at = data.find(b'\x00\x00\x01\xb8')
    while at >= 0:
        if at + 8 <= len(data) and not data[at + 7] & 0x40:
            return False
        at = data.find(b'\x00\x00\x01\xb8', at + 4)
    return True


def kinds_of(path):
    info = json.loads(run(['ffprobe', '-v', 'error', '-show_entries', 'stream=index,codec_type', '-of', 'json', path]))
    return {s['index']: s['codec_type'] for s in info['streams']}


def stamps_rise(path):
    """Problems with the decode and presentation times, and every stream's first time."""
    problems = []
    info = json.loads(run(['ffprobe', '-v', 'error', '-show_entries', 'stream=index,codec_type',
                           '-show_entries', 'packet=stream_index,dts,pts', '-of', 'json', path]))
    kinds = {s['index']: s['codec_type'] for s in info['streams']}
    last = {}
    firsts = {}
    for p in info['packets']:
        kind = kinds.get(p['stream_index'])
        key = 'dts' if kind == 'video' else 'pts'
        if kind not in ('video', 'audio') or p.get(key) is None:
            continue
        t = int(p[key])
        prev = last.get(p['stream_index'])
        if prev is not None and t <= prev:
            problems.append('%s stream %d: %s %d after %d' % (kind, p['stream_index'], key, t, prev))
        last[p['stream_index']] = t
        if p.get('pts') is not None:
            firsts[p['stream_index']] = min(firsts.get(p['stream_index'], 1 << 40), int(p['pts']))
    return problems, firsts


def early_audio(firsts, kinds):
    """Audio streams whose first time lies ahead of the first picture by more than part of a frame."""
    video = [t for i, t in firsts.items() if kinds.get(i) == 'video']
    if not video:
        return []
    return ['audio stream %d starts %.3f s before the first picture' % (i, (min(video) - t) / 90000.0)
            for i, t in firsts.items() if kinds.get(i) == 'audio' and t < min(video) - 2400]


def copy_complaints(path):
    problems = []
    log = subprocess.run(['ffmpeg', '-v', 'warning', '-i', path, '-map', '0', '-c', 'copy', '-f', 'null', '-'],
                         capture_output=True, text=True).stderr
    for line in log.splitlines():
        if 'onotonous' in line or 'non monotonically' in line:
            problems.append(line.strip())
    return problems


def is_subsequence(small, big):
    it = iter(big)
    return all(any(x == y for y in it) for x in small)


def check(line):
    fields = line.rstrip('\n').split('\t')
    output, lost_b, pieces = fields[0], int(fields[1]), [f.rsplit('@', 2) for f in fields[2:]]
    problems = []
    source, start = pieces[0][0], int(pieces[0][1])
    inside = bool(source_frames(source)) and start > min(pos for pos, _ in source_frames(source))
    have, want = streams(output), streams(pieces[0][0])
    # The sound of a single group from inside a file lies in packs after it (the muxer carries
    # audio ahead of its pictures): such an output may have no audio at all.
    if inside and len(md5s(output)) <= 12:
        want = [s for s in want if s[0] != 'audio' or s in have]
    if have != want:
        problems.append('streams %s, source %s' % (have, want))
    rising, firsts = stamps_rise(output)
    problems += rising[:5] + copy_complaints(output)[:5]
    if inside:
        problems += early_audio(firsts, kinds_of(output))
    expected = []
    for source, start, end in pieces:
        start, end = int(start), int(end)
        expected += [h for pos, h in source_frames(source) if start <= pos < end]
    got = md5s(output)
    exact = all(all_gops_closed(src) for src, _, _ in pieces) and not lost_b
    if exact:
        if got != expected:
            problems.append('pictures: %d written, %d expected, first difference at %s' % (
                len(got), len(expected),
                next((i for i, (a, b) in enumerate(zip(got, expected)) if a != b), min(len(got), len(expected)))))
    else:
        unknown = [h for h in got if h not in set(expected)]
        if unknown:
            problems.append('%d pictures that are no source picture of the ranges' % len(unknown))
        elif not is_subsequence(got, expected):
            problems.append('pictures out of order')
        if len(got) < len(expected) - 3 * len(pieces):
            problems.append('pictures: %d written, %d expected' % (len(got), len(expected)))
    return output, exact, len(got), problems


def main():
    lines = [line for manifest in sys.argv[1:] for line in open(manifest) if line.strip()]
    # Decode each source once before the outputs are checked side by side.
    sources = sorted({f.rsplit('@', 2)[0] for line in lines for f in line.rstrip('\n').split('\t')[2:]})
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
        for path, frames in zip(sources, pool.map(lambda p: (p, source_frames(p)), sources)):
            _frames_cache[path] = frames[1]
        results = list(pool.map(check, lines))
    failed = 0
    for output, exact, count, problems in results:
        status = 'ok' if not problems else 'FAILED'
        print('%-6s %s (%d pictures, %s)' % (status, output, count, 'exact' if exact else 'subset'))
        for p in problems:
            print('       ' + p)
        failed += bool(problems)
    print('%d outputs checked, %d failed' % (len(lines), failed))
    if not lines:
        print('no outputs listed')
        return 1
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main())

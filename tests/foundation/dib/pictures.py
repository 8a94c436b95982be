#!/usr/bin/env python3
"""Reference pictures for the bitmap tests, made by ImageMagick, and the check of the pictures the
bitmap code wrote.

  pictures.py make DIR    writes DIR/ref/pattern.<ext> for every format from one exact pattern
  pictures.py check DIR   decodes DIR/out/*.* with ImageMagick and compares them with the pattern
"""
import os
import subprocess
import sys

CONVERT = "/usr/bin/convert"
W, H = 16, 12


def pattern():
    """Rows from the top, (red, green, blue); smooth enough for JPEG, fewer than 256 colours for GIF."""
    return [[(x * 16, y * 20, 128 + (x - y) * 4) for x in range(W)] for y in range(H)]


# name -> (ImageMagick output format prefix, options)
REFERENCES = {
    "pattern.bmp": ("BMP3:", ["-type", "TrueColor"]),
    "pattern8.bmp": ("BMP3:", ["-type", "Palette"]),
    "pattern.jpg": ("JPG:", ["-quality", "95", "-sampling-factor", "1x1"]),
    "pattern.gif": ("GIF:", []),
    "pattern.tif": ("TIFF:", ["-compress", "none"]),
    "patternlzw.tif": ("TIFF:", ["-compress", "lzw"]),
    # This ImageMagick writes a bottom-left TGA with its top row first; told the top-left origin it
    # writes a sound file.
    "pattern.tga": ("TGA:", ["-orient", "TopLeft", "-compress", "none"]),
    "patternrle.tga": ("TGA:", ["-orient", "TopLeft", "-compress", "RLE"]),
    "pattern.pcx": ("PCX:", ["-type", "TrueColor"]),
    "pattern8.pcx": ("PCX:", ["-type", "Palette"]),
    "pattern.png": ("PNG24:", []),
}

# Largest mean and largest single-channel difference allowed per format of the written files.
TOLERANCE = {".jpg": (6.0, 24), "default": (0.0, 0)}


def write_ppm(path):
    rows = pattern()
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        for row in rows:
            for r, g, b in row:
                f.write(bytes((r, g, b)))


def make(folder):
    ref = os.path.join(folder, "ref")
    os.makedirs(ref, exist_ok=True)
    os.makedirs(os.path.join(folder, "out"), exist_ok=True)
    ppm = os.path.join(ref, "pattern.ppm")
    write_ppm(ppm)
    for name, (prefix, options) in REFERENCES.items():
        subprocess.run([CONVERT, ppm] + options + [prefix + os.path.join(ref, name)], check=True)
    # Three red pixels, the middle one transparent.
    subprocess.run([CONVERT, "-size", "3x1", "xc:rgb(255,0,0)", "-alpha", "set", "-channel", "A",
                    "-fx", "i==1?0:1", "+channel", "GIF:" + os.path.join(ref, "transparent.gif")], check=True)


def decode(path):
    # The same ImageMagick reads bottom-left TGA files upside down; ffmpeg reads them as written.
    if path.lower().endswith(".tga"):
        command = ["ffmpeg", "-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"]
    else:
        command = [CONVERT, path, "-depth", "8", "rgb:-"]
    return subprocess.run(command, check=True, capture_output=True).stdout


def check(folder):
    out = os.path.join(folder, "out")
    expected = bytes(c for row in pattern() for px in row for c in px)
    names = sorted(os.listdir(out))
    if not names:
        print("no written pictures in", out)
        return 1
    failed = 0
    for name in names:
        ext = os.path.splitext(name)[1].lower()
        mean_limit, max_limit = TOLERANCE.get(ext, TOLERANCE["default"])
        got = decode(os.path.join(out, name))
        if len(got) != len(expected):
            print("%s: %d bytes decoded, %d expected" % (name, len(got), len(expected)))
            failed += 1
            continue
        diffs = [abs(a - b) for a, b in zip(got, expected)]
        mean, worst = sum(diffs) / len(diffs), max(diffs)
        ok = mean <= mean_limit and worst <= max_limit
        print("%s: mean %.2f, worst %d: %s" % (name, mean, worst, "ok" if ok else "FAILED"))
        failed += 0 if ok else 1
    print("%d passed, %d failed" % (len(names) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2])
        sys.exit(0)
    sys.exit(check(sys.argv[2]))

#!/usr/bin/env python3
"""Checks Velmora's codecs against ImageMagick in both directions (not part of ctest).

1. Files written by Velmora are decoded by ImageMagick and compared with what was meant.
2. Files written by ImageMagick in many BMP variants are decoded by Velmora and compared with
   ImageMagick's own decoding.

Needs a built tree (build/src/model/libvelmora_model.a), g++ and ImageMagick's convert.
"""
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CONVERT = "/usr/bin/convert"
# ImageMagick 6 takes 16-bit icon images for palette images and stops with "insufficient image
# data"; Windows reads them. Reported, not counted.
MAGICK_CANNOT_READ = {"icon16.ico"}


def build_helper(tmp):
    exe = os.path.join(tmp, "CodecSamples")
    subprocess.run(["g++", "-std=c++20", "-O1", "-I" + os.path.join(ROOT, "src"),
                    os.path.join(ROOT, "scripts/crosscheck/CodecSamples.cpp"),
                    os.path.join(ROOT, "build/src/model/libvelmora_model.a"),
                    "-lgif", "-ljpeg", "-lpng", "-o", exe], check=True)
    return exe


def magick_rgba(path):
    """ImageMagick's decoding as raw RGBA, or None with its complaint printed."""
    run = subprocess.run([CONVERT, path, "-depth", "8", "rgba:-"], capture_output=True)
    if run.returncode != 0 or not run.stdout:
        print("       ImageMagick: " + run.stderr.decode().strip().splitlines()[0])
        return None
    return run.stdout


def compare(a, b, tolerance):
    """Largest channel difference over pixels that are opaque in `a`; alpha must agree."""
    if len(a) != len(b):
        return None
    worst = 0
    for i in range(0, len(a), 4):
        if (a[i + 3] == 0) != (b[i + 3] == 0):
            return 999
        if a[i + 3] == 0:
            continue
        worst = max(worst, *(abs(a[i + k] - b[i + k]) for k in range(3)))
    return worst


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        exe = build_helper(tmp)
        written = os.path.join(tmp, "written")
        os.mkdir(written)
        subprocess.run([exe, "write", written], check=True)
        print("Velmora writes, ImageMagick reads:")
        for name in sorted(os.listdir(written)):
            if name.endswith(".rgba"):
                continue
            path = os.path.join(written, name)
            expected = open(path + ".rgba", "rb").read()
            ident = subprocess.run(["identify", path], capture_output=True, text=True)
            got = magick_rgba(path + ("[0]" if name.endswith(".ico") else ""))
            # High colour: programs expand 5-bit channels by rounding or by bit replication.
            tolerance = 3 if name.endswith(".jpg") else 1 if name in ("bmp15.bmp", "bmp16.bmp") else 0
            worst = compare(expected, got, tolerance) if got else None
            ok = worst is not None and worst <= tolerance and not ident.stderr
            if not ok and name in MAGICK_CANNOT_READ:
                print(f"  note {name}: a known ImageMagick limitation")
                continue
            failures += not ok
            print(f"  {'ok  ' if ok else 'FAIL'} {name}: max difference {worst}"
                  f"{' ' + ident.stderr.strip() if ident.stderr else ''}")

        print("ImageMagick writes, Velmora reads:")
        source = os.path.join(tmp, "source.png")
        subprocess.run([CONVERT, "-size", "29x13", "gradient:red-blue", "-swirl", "90",
                        source], check=True)
        variants = {
            "bmp3-24.bmp": ["-type", "TrueColor", "BMP3:{}"],
            "bmp4-32.bmp": ["-alpha", "on", "BMP:{}"],
            "bmp2-8.bmp": ["-colors", "200", "-type", "Palette", "BMP2:{}"],
            "bmp3-8rle.bmp": ["-colors", "100", "-type", "Palette", "-compress", "RLE", "BMP3:{}"],
            "bmp3-4.bmp": ["-colors", "16", "BMP3:{}"],
            "bmp3-4rle.bmp": ["-colors", "12", "-compress", "RLE", "BMP3:{}"],
            "bmp3-1.bmp": ["-monochrome", "BMP3:{}"],
            "bmp-565.bmp": ["-define", "bmp:subtype=RGB565", "BMP:{}"],
            "bmp-555.bmp": ["-define", "bmp:subtype=RGB555", "BMP:{}"],
            "bmp-topdown.bmp": ["-define", "bmp:top-down=true", "BMP3:{}"],
            "icon.ico": ["-alpha", "off", "-resize", "16x16!", "ICO:{}"],
            "magick.jpg": ["-quality", "85", "JPEG:{}"],
            "gray.jpg": ["-colorspace", "Gray", "-quality", "90", "JPEG:{}"],
            "cmyk.jpg": ["-colorspace", "CMYK", "-quality", "95", "JPEG:{}"],
        }
        for name, args in variants.items():
            path = os.path.join(tmp, name)
            args = [a.replace("{}", path) for a in args]
            made = subprocess.run([CONVERT, source] + args, capture_output=True, text=True)
            if made.returncode != 0:
                print(f"  skip {name}: {made.stderr.strip()}")
                continue
            ours = os.path.join(tmp, name + ".ours")
            run = subprocess.run([exe, "read", path, ours], capture_output=True, text=True)
            if run.returncode != 0:
                failures += 1
                print(f"  FAIL {name}: {run.stderr.strip()}")
                continue
            theirs = magick_rgba(path + ("[0]" if name.endswith(".ico") else ""))
            if theirs is None:
                continue
            theirs = bytes(b if i % 4 != 3 else (255 if b else 0) for i, b in enumerate(theirs))
            tolerance = {"magick.jpg": 3, "gray.jpg": 3, "cmyk.jpg": 8}.get(name, 0)
            if name in ("bmp-565.bmp", "bmp-555.bmp"):
                tolerance = 1
            worst = compare(open(ours, "rb").read(), theirs, tolerance)
            ok = worst is not None and worst <= tolerance
            failures += not ok
            print(f"  {'ok  ' if ok else 'FAIL'} {name}: max difference {worst}")
    print("all agree" if failures == 0 else f"{failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

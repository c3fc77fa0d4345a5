#!/usr/bin/env python3
"""Packs square RGBA images into a Windows .ico: 256-pixel images as PNG, smaller ones as 32-bit DIBs
(what every Windows version and windres accept).

usage: pack-ico.py OUT.ico SIZE:FILE.png [SIZE:FILE.png ...]   (a size may repeat)
"""
import struct
import subprocess
import sys


def rgba_pixels(png, size):
    # ImageMagick gives the raw pixels top-down, 4 bytes each.
    raw = subprocess.run(["/usr/bin/convert", png, "-resize", f"{size}x{size}!", "-depth", "8", "rgba:-"],
                         check=True, capture_output=True).stdout
    assert len(raw) == size * size * 4, png
    return raw


def dib(size, raw):
    rows = [raw[y * size * 4:(y + 1) * size * 4] for y in range(size)]
    xor = bytearray()
    for row in reversed(rows):  # DIBs are bottom-up
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # the alpha channel decides; the AND mask stays clear
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + mask


def main():
    out, entries_wanted = sys.argv[1], sys.argv[2:]
    images = []
    for wanted in entries_wanted:
        size_text, png = wanted.split(":", 1)
        size = int(size_text)
        if size >= 256:
            # Without the date chunks the same drawing packs to the same bytes.
            data = subprocess.run(["/usr/bin/convert", png, "-resize", f"{size}x{size}!",
                                   "-define", "png:exclude-chunks=date,time", "PNG32:-"],
                                  check=True, capture_output=True).stdout
        else:
            data = dib(size, rgba_pixels(png, size))
        images.append((size, data))
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        blobs += data
    with open(out, "wb") as f:
        f.write(head + entries + blobs)


if __name__ == "__main__":
    main()

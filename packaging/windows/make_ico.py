#!/usr/bin/env python3
"""Writes a Windows icon file holding the given PNG pictures as they are.

    make_ico.py <out.ico> <picture.png>...

Windows reads PNG-compressed icon images since Vista; keeping the pictures as they are means
the program's icon looks the same in Explorer, the Start menu and the task bar as it does
on Linux.
"""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make_ico: {name} is not a PNG picture")
    width, height = struct.unpack(">II", data[16:24])
    if not (1 <= width <= 256 and 1 <= height <= 256):
        sys.exit(f"make_ico: {name} is {width} x {height}; icons hold 1 to 256 pixels a side")
    return width, height


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    pictures = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        pictures.append((png_size(data, name), data))
    pictures.sort(key=lambda p: p[0][0])

    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries, images = b"", b""
    for (width, height), data in pictures:
        # 256 is written as 0; no palette; one plane; 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        images += data
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(header + entries + images)


main()

#!/usr/bin/env python3
"""Writes a seed corpus of small, valid bitmap files for fuzz_loadfile: every depth the surface
reads (1, 4, 8, 24), bottom-up and top-down, with full and short colour tables, zero colour counts
and image sizes, and a few widths that exercise scan-line padding. Usage: make_seed_corpus.py DIR"""
import os
import struct
import sys


def bmp(width, height, bits, colours=None, size_image=True, top_down=False):
    stride = (width * bits + 31) // 32 * 4
    table = colours if colours is not None else (1 << bits if bits <= 8 else 0)
    palette = b"".join(struct.pack("<4B", i, 255 - i, (3 * i) & 255, 0) for i in range(table))
    data = bytes((37 * i + 11) & 255 for i in range(stride * height))
    offset = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0,
                       len(data) if size_image else 0, 2835, 2835, colours if colours is not None else table, 0)
    return header + info + palette + data


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    seeds = {}
    for bits in (1, 4, 8, 24):
        for width in (1, 2, 3, 4, 5, 9):
            seeds[f"d{bits}_w{width}.bmp"] = bmp(width, 3, bits)
        seeds[f"d{bits}_topdown.bmp"] = bmp(5, 4, bits, top_down=True)
        seeds[f"d{bits}_nosize.bmp"] = bmp(6, 2, bits, size_image=False)
    for bits in (1, 4, 8):
        seeds[f"d{bits}_nocount.bmp"] = bmp(7, 2, bits, colours=0)
    seeds["d8_index_beyond_table.bmp"] = bmp(4, 4, 8, colours=16)
    for name, content in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content)
    print(f"{len(seeds)} seeds in {folder}")


if __name__ == "__main__":
    main()

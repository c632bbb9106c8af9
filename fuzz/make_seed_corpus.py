#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets, one folder per target under DIR:

  loadfile/         small valid bitmap files of every depth the surface reads (1, 4, 8, 24), bottom-up
                    and top-down, with full and short colour tables, zero colour counts and image sizes,
                    and widths that exercise scan-line padding
  loadobjectfile/   small valid object files (one and several meshes, the sample ship, NaN and infinite
                    values, NaN payloads, trailing bytes) and a few with counts out of range
  objectroundtrip/  the same object files
  jsonroundtrip/    the same object files, and objects in JSON as the converter writes them and as people
                    write them (integers, members left out, escapes, odd spacing), some of them refused
  svgimport/        SVG documents as editors and people write them: groups with transforms, colours in
                    attributes, style and class rules, every path command, curves, shapes, broken ones
  pixelarrays/      the designed cases of the pixel-array operations, spelled as the decisions the
                    target takes from its input

Usage: make_seed_corpus.py DIR"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


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


def bitmap_seeds():
    seeds = {}
    for bits in (1, 4, 8, 24):
        for width in (1, 2, 3, 4, 5, 9):
            seeds[f"d{bits}_w{width}.bmp"] = bmp(width, 3, bits)
        seeds[f"d{bits}_topdown.bmp"] = bmp(5, 4, bits, top_down=True)
        seeds[f"d{bits}_nosize.bmp"] = bmp(6, 2, bits, size_image=False)
    for bits in (1, 4, 8):
        seeds[f"d{bits}_nocount.bmp"] = bmp(7, 2, bits, colours=0)
    seeds["d8_index_beyond_table.bmp"] = bmp(4, 4, 8, colours=16)
    return seeds


def lin(meshes, centre=(0.0, 0.0), mesh_count=None):
    """meshes: (red, green, blue, points[, point_count]) each; counts may be overridden to break files."""
    out = struct.pack("<Iffh", 0x003A7ADE, centre[0], centre[1], len(meshes) if mesh_count is None else mesh_count)
    for mesh in meshes:
        red, green, blue, points = mesh[:4]
        count = mesh[4] if len(mesh) > 4 else len(points)
        out += struct.pack("<fffIHh", red, green, blue, 0xDEADBEEF, 0xCAFE, count)
        out += b"".join(struct.pack("<ff", x, y) for x, y in points)
    return out


def nan_payloads():
    """Quiet and signalling NaNs of both signs with payloads, and odd ExtraValue and ExtraWord bits."""
    words = [0x7FC00001, 0xFF800001, 0x7FA00001, 0x80000001, 0xFFFFFFFF]
    out = struct.pack("<I2Ih", 0x003A7ADE, words[0], words[1], 1)
    out += struct.pack("<3IIHh", words[2], words[3], words[4], 0x80000001, 0xFF00, 2)
    out += struct.pack("<4I", words[4], words[2], 0x7F800000, words[1])
    return out + b"\x00"


def object_seeds():
    square = [(0, 0), (10, 0), (10, 10), (0, 10), (0, 0)]
    seeds = {
        "minimal.lin": lin([(1.0, 0.5, 0.25, [(10, 20), (30, 40)])], (1.5, -2.0)),
        "three_meshes.lin": lin([(1, 0, 0, square), (0, 1, 0, [(1, 1), (2, 3), (5, 8)]),
                                 (0, 0, 1, [(-4, 4), (4, -4)])]),
        "nan_and_inf.lin": lin([(math.nan, math.inf, -math.inf, [(math.nan, 1), (math.inf, -math.inf)])],
                               (math.nan, math.inf)),
        "huge_coordinates.lin": lin([(2.0, -1.0, 0.5, [(3.4e38, -3.4e38), (1e-45, 1e30)])], (3.4e38, -3.4e38)),
        "trailing_bytes.lin": lin([(1, 1, 1, [(0, 0), (1, 1)])]) + b"\x01\x02\x03\x04\x05",
        "nan_payloads.lin": nan_payloads(),
        "mesh_count_0.lin": lin([], mesh_count=0),
        "mesh_count_min.lin": lin([], mesh_count=-32768),
        "point_count_1.lin": lin([(1, 1, 1, [(0, 0)])]),
        "point_count_negative.lin": lin([(1, 1, 1, [], -1)]),
        "many_meshes_short.lin": lin([(1, 1, 1, [(0, 0), (1, 1)])], mesh_count=300),
        "many_points_short.lin": lin([(1, 1, 1, [(0, 0), (1, 1)], 32767)]),
    }
    with open(os.path.join(HERE, "..", "Assets", "PlayerTopb.lin"), "rb") as sample:
        seeds["sample_ship.lin"] = sample.read()
    return seeds


def json_seeds():
    seeds = dict(object_seeds())
    seeds.update({
        "written.json": b'{"centre": {"x": 1.5, "y": -2}, "meshCount": 1, "meshes": [{"index": 0, '
                        b'"colour": {"red": 1, "green": 0.5, "blue": 0.25}, "pointCount": 2, "bounds": null, '
                        b'"extraValue": "0xDEADBEEF", "extraWord": "0xCAFE", "points": [[10, 20], [30, 40]]}], '
                        b'"trailingBytes": "AQIDBA=="}',
        "by_hand.json": b'{"meshes": [{"points": [[0, 0], [10, 0], [10, 10]]}, {"colour": {"red": 0, "green": 1, '
                        b'"blue": 0}, "extraValue": 7, "extraWord": 65535, "points": [[-1e3, 2.5e-3], [1, 2]]}]}',
        "non_finite.json": b'{"centre": {"x": "NaN", "y": "Infinity"}, "meshes": [{"points": '
                           b'[["0xFFC00001", "-Infinity"], ["0x7FA00001", -0]]}]}',
        "escapes.json": b'{"file": "a\\u00e9\\udcff\\n", "meshes": [{"points": [[0,0],[1,1]]}]}',
        "spacing.json": b'\r\n\t{ "meshes" :[ {"points":[ [ 0 , 0 ] ,[ 1e0 , -1E-2 ] ] } ] }  \n',
        "out_of_range.json": b'{"meshes": [{"points": [[1e39, 0], [0, 1e-46]]}]}',
        "one_point.json": b'{"meshes": [{"points": [[0, 0]]}]}',
        "unknown_member.json": b'{"meshes": [{"colur": {}, "points": [[0, 0], [1, 1]]}]}',
        "deep.json": b'{"file": 1, "meshes": [{"bounds": ' + b"[" * 70 + b"]" * 70 + b', "points": [[0, 0], [1, 1]]}]}',
    })
    return seeds


def svg_seeds():
    head = '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">'
    bodies = {
        "groups.svg": '<g transform="translate(10,20) rotate(30 5 5)" stroke="#0f0"><path style="stroke:red"'
                      ' d="m 0,0 10,0 0,10 z"/><g transform="scale(2) skewX(10)"><line x1="1" x2="2px"/>'
                      '<rect width="1" height="2" stroke="currentColor" color="gray"/></g></g>',
        "commands.svg": '<path d="M10-5L1.5.5l1e1,0E0 M 0 0 1 1 2 2 z l 3 0 Z m1,1 h1 v2 H0 V0"/>'
                        '<polyline points=" 1 , 2 3,4 5e0 6"/><polygon points="0,0 4,0 4,4" fill="yellow"/>',
        "curves.svg": '<path id="wing" d="M 0 0 C 0 40 100 40 100 0 S 200 -40 200 0 Q 250 50 300 0 T 400 0'
                      ' A 50 25 30 1 1 500 0 a 0 5 0 0 0 10 10"/><circle cx="5" cy="5" r="10"/>'
                      '<ellipse rx="3" ry="1"/><rect x="1" width="10" height="5" rx="2"/>',
        "classes.svg": '<style>.a{stroke:#FF0000}.b,.c{fill:rgb(0%,50%,100%)} svg .a{stroke:blue}</style>'
                       '<polyline class="a b" points="0,0 1,1"/><path class="c" d="M0 0h1"/>',
        "hidden.svg": '<defs><path d="M0 0L1 1"/></defs><g style="display:none"><path d="M0 0L1 1"/></g>'
                      '<text>x</text><path d="M 0 0 L 2 2" stroke="url(#g) none"/>',
        "refused.svg": '<use href="#a"/><svg/><line x2="1mm"/><g transform="spin(3)"/>',
    }
    return {name: (head + body + "</svg>").encode() for name, body in bodies.items()}


class Decisions:
    """The choices fuzz_pixelarrays takes from its input, in its order. Each is one byte taken from the
    end of the input (every range there is below 256), so a seed is the list of offsets, reversed."""

    def __init__(self, height, width, paint_seed=1):
        self.height, self.width = height, width
        self.offsets = [height, width] + ([paint_seed] if height > 0 and width > 0 else [])

    def take(self, value, low):
        assert 0 <= value - low < 256, value
        self.offsets.append(value - low)

    def lower(self, value):
        if value == "min":
            self.take(0, 0)
        elif isinstance(value, tuple):  # ("max", k): the largest value less k
            self.take(1, 0)
            self.take(value[1], 0)
        else:
            self.take(2, 0)
            self.take(value, -8)

    def array(self, state, lower, count, seed):
        self.take({"unallocated": 0, "fixed": 1, "dynamic": 2}[state], 0)
        for bound, number in zip(lower, count):
            self.lower(bound)
            self.take(number, 1)
        if state != "unallocated":
            self.take(seed, 0)

    def layout(self, value):
        extremes = ["min", "min+1", "2^30", "3w overflows", "max"]
        if value in extremes:
            self.take(0, 0)
            self.take(extremes.index(value), 0)
        else:
            self.take(1, 0)
            self.take(value, -2)

    def store(self, state="dynamic", lower=(0, 0), count=None, seed=50):
        self.take(0, 0)
        self.array(state, lower, count or (3 * self.width, self.height), seed)
        return self

    def store_1d(self, layout, state="dynamic", lower=0, count=None, seed=90):
        self.take(1, 0)
        self.array(state, (lower,), (count or 3 * self.width * self.height,), seed)
        self.layout(layout[0])
        self.layout(layout[1])
        return self

    def get(self, state="dynamic", lower=(0, 0), count=(1, 1), seed=7):
        self.take(2, 0)
        self.array(state, lower, count, seed)
        return self

    def get_1d(self, state="dynamic", lower=0, count=1, seed=7):
        self.take(3, 0)
        self.array(state, (lower,), (count,), seed)
        return self

    def bytes(self):
        return bytes(reversed(self.offsets))


def pixel_seeds():
    h, w = 2, 3
    return {
        "round_trip": Decisions(h, w).get().store().get_1d().store_1d((h, w)),
        "narrow_store": Decisions(h, w).store(count=(6, h)),
        "part_pixel": Decisions(h, w).store(count=(7, h)),
        "wide_and_tall": Decisions(h, w).store(count=(3 * w + 5, h + 2)),
        "short_rows": Decisions(3, 2).store(count=(6, 2)),
        "negative_lower_bounds": Decisions(h, w).store(lower=(-2, -1), count=(11, 4)),
        "lower_bound_one": Decisions(h, w).store(lower=(1, 0), count=(8, h)),
        "far_bounds": Decisions(h, w).store(lower=("min", ("max", 3)), count=(9, 2)),
        "unallocated": Decisions(h, w).store(state="unallocated").store_1d((h, w), state="unallocated"),
        "fixed_targets": Decisions(h, w).get(state="fixed", count=(2, 2)).get_1d(state="fixed", count=2),
        "short_1d": Decisions(2, 2).store_1d((2, 2), count=8),
        "layouts_narrow_and_flat": Decisions(2, 2).store_1d((2, 1)).store_1d((1, 2)).store_1d((0, 2)),
        "negative_lower_1d": Decisions(h, w).store_1d((h, w), lower=-5, count=3),
        "far_lower_1d": Decisions(h, w).store_1d((h, w), lower=("max", 2), count=3),
        "layout_overflows": Decisions(1, 1).store_1d((1, "2^30")).store_1d(("min", 1)).store_1d(("max", 1)),
        "empty_instance": Decisions(0, 0).store(count=(3, 1)).store_1d((1, 1), count=3).get(count=(3, 2)).get_1d(count=4),
    }


def write(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name, content in seeds.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content if isinstance(content, bytes) else content.bytes())
    print(f"{len(seeds)} seeds in {folder}")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write(os.path.join(sys.argv[1], "loadfile"), bitmap_seeds())
    write(os.path.join(sys.argv[1], "loadobjectfile"), object_seeds())
    write(os.path.join(sys.argv[1], "objectroundtrip"), object_seeds())
    write(os.path.join(sys.argv[1], "jsonroundtrip"), json_seeds())
    write(os.path.join(sys.argv[1], "svgimport"), svg_seeds())
    write(os.path.join(sys.argv[1], "pixelarrays"), pixel_seeds())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the metafile test pictures: a placeable WMF and an EMF, each a
picture of four coloured quarters (red, lime / blue, yellow), drawn as
filled rectangles without an outline.

Usage: make-metafiles.py OUTPUT_FOLDER
"""
import struct
import sys

RED, LIME, BLUE, YELLOW = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)


def colorref(rgb):
    r, g, b = rgb
    return r | g << 8 | b << 16


def quarters(width, height, pixel):
    """(left, top, right, bottom, colour) of the four quarters. The right and
    bottom edges reach one pixel (`pixel` logical units) further, since a
    rectangle drawn without a pen leaves its last pixel column and row out."""
    hw, hh = width // 2, height // 2
    return [
        (0, 0, hw + pixel, hh + pixel, RED),
        (hw, 0, width + pixel, hh + pixel, LIME),
        (0, hh, hw + pixel, height + pixel, BLUE),
        (hw, hh, width + pixel, height + pixel, YELLOW),
    ]


def wmf(width, height, inch):
    """A placeable WMF whose picture is width x height logical units at
    `inch` units to the inch."""

    def record(function, *words):
        return struct.pack("<IH", 3 + len(words), function) + struct.pack("<%dh" % len(words), *words)

    def record_raw(function, params):
        assert len(params) % 2 == 0
        return struct.pack("<IH", 3 + len(params) // 2, function) + params

    body = [
        record(0x0103, 8),                   # SETMAPMODE MM_ANISOTROPIC
        record(0x020B, 0, 0),                # SETWINDOWORG y, x
        record(0x020C, height, width),       # SETWINDOWEXT y, x
        record_raw(0x02FA, struct.pack("<HhhI", 5, 0, 0, 0)),  # CREATEPENINDIRECT PS_NULL -> object 0
        record(0x012D, 0),                   # SELECTOBJECT 0
    ]
    for left, top, right, bottom, rgb in quarters(width, height, inch // 96):
        body.append(record_raw(0x02FC, struct.pack("<HIH", 0, colorref(rgb), 0)))  # CREATEBRUSHINDIRECT -> 1
        body.append(record(0x012D, 1))                            # SELECTOBJECT 1
        body.append(record(0x041B, bottom, right, top, left))     # RECTANGLE
        body.append(record(0x01F0, 1))                            # DELETEOBJECT 1
    body.append(record(0x0000))                                   # EOF
    records = b"".join(body)
    max_record = max(struct.unpack_from("<I", r)[0] for r in body)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(records) // 2, 2, max_record, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, width, height, inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable):
        checksum ^= word
    return placeable + struct.pack("<H", checksum) + header + records


def emf(width, height):
    """An EMF of width x height pixels of a 96-dpi reference device."""
    device = (960, 960)        # pixels of the reference device ...
    millimeters = (254, 254)   # ... on 254 mm: 96 dpi
    frame = (0, 0, round(width * 2540 / 96), round(height * 2540 / 96))  # 0.01 mm

    body = []

    def add(kind, params):
        body.append(struct.pack("<II", kind, 8 + len(params)) + params)

    add(37, struct.pack("<I", 0x80000008))          # SELECTOBJECT stock NULL_PEN
    for left, top, right, bottom, rgb in quarters(width, height, 1):
        add(39, struct.pack("<IIII", 1, 0, colorref(rgb), 0))   # CREATEBRUSHINDIRECT -> handle 1
        add(37, struct.pack("<I", 1))                           # SELECTOBJECT 1
        add(43, struct.pack("<iiii", left, top, right, bottom)) # RECTANGLE
        add(37, struct.pack("<I", 0x80000000))                  # SELECTOBJECT stock WHITE_BRUSH
        add(40, struct.pack("<I", 1))                           # DELETEOBJECT 1
    add(14, struct.pack("<III", 0, 16, 20))                     # EOF

    header_size = 108
    total = header_size + sum(len(r) for r in body)
    header = struct.pack(
        "<II4i4iIIIIHHIIIiiiiIIIii",
        1, header_size,
        0, 0, width - 1, height - 1,   # bounds, inclusive, in device pixels
        *frame,
        0x464D4520, 0x00010000, total, len(body) + 1,
        2, 0,                          # handles (slot 0 is the metafile's own), reserved
        0, 0, 0,                       # description, palette
        *device, *millimeters,
        0, 0, 0,                       # pixel format, OpenGL
        millimeters[0] * 1000, millimeters[1] * 1000,
    )
    assert len(header) == header_size
    return header + b"".join(body)


def main():
    folder = sys.argv[1]
    with open(folder + "/quarters.wmf", "wb") as f:
        f.write(wmf(600, 450, 1440))   # 40 x 30 pixels at 96 dpi
    with open(folder + "/quarters.emf", "wb") as f:
        f.write(emf(48, 36))


if __name__ == "__main__":
    main()

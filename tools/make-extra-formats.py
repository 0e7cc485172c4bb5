#!/usr/bin/env python3
"""Makes the pictures of the extra types in tests/data/thumbs/ (they are also
seeds of the picture fuzzer). Run by hand when they are to change;
needs the vips command (Debian: libvips-tools) with its HEIF encoders.

    make-extra-formats.py [FOLDER]

Every picture is 96 x 48 pixels as stored, red (230, 20, 20) on the left half
and blue (20, 20, 230) on the right, converted to the Display P3 colour space
with that profile embedded, and marked to be turned a quarter clockwise before
it is shown: so its thumbnail, upright and in sRGB, is 48 wide, 96 high, red
above blue.

    rotated.webp, rotated.tif   orientation 6 in their EXIF or TIFF tags
    rotated.heic, rotated.avif  a HEIF rotation ("irot", a quarter clockwise),
                                which is what counts for HEIF; no EXIF
"""
import pathlib
import struct
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 96, 48


def halves_ppm(path):
    red, blue = bytes((230, 20, 20)), bytes((20, 20, 230))
    row = red * (WIDTH // 2) + blue * (WIDTH - WIDTH // 2)
    path.write_bytes(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT) + row * HEIGHT)


def with_orientation_6(jpeg):
    """A JPEG with an EXIF segment holding orientation 6 after its SOI."""
    ifd = struct.pack("<H", 1) + struct.pack("<HHIHH", 0x0112, 3, 1, 6, 0) + struct.pack("<I", 0)
    payload = b"Exif\0\0" + b"II" + struct.pack("<HI", 42, 8) + ifd
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload + jpeg[2:]


def vips(*args):
    subprocess.run(["vips", *args], check=True)


# ---- HEIF boxes: just enough to add a rotation to the primary item.

def boxes(data, start, end):
    """(type, offset, size, header length) of the boxes in data[start:end]."""
    found, pos = [], start
    while pos + 8 <= end:
        size, kind = struct.unpack(">I4s", data[pos:pos + 8])
        header = 8
        if size == 1:
            size, header = struct.unpack(">Q", data[pos + 8:pos + 16])[0], 16
        found.append((kind, pos, size, header))
        pos += size
    return found


def child(data, parent, kind, full_box=False):
    _, pos, size, header = parent
    body = pos + header + (4 if full_box else 0)
    return next(b for b in boxes(data, body, pos + size) if b[0] == kind)


def grow(data, box, by):
    """data with the 32-bit size of `box` raised by `by`."""
    _, pos, size, _ = box
    return data[:pos] + struct.pack(">I", size + by) + data[pos + 4:]


def shifted_iloc(data, iloc, by):
    """data with every file offset of iloc (construction method 0) moved by `by`."""
    _, pos, size, header = iloc
    p = pos + header
    version = data[p]
    p += 4
    sizes = (data[p] << 8) | data[p + 1]
    offset_size, length_size = sizes >> 12, (sizes >> 8) & 15
    base_size, index_size = (sizes >> 4) & 15, (sizes & 15) if version in (1, 2) else 0
    p += 2
    count_fmt = ">H" if version < 2 else ">I"
    count = struct.unpack(count_fmt, data[p:p + struct.calcsize(count_fmt)])[0]
    p += struct.calcsize(count_fmt)
    out = bytearray(data)

    def read(at, n):
        return int.from_bytes(data[at:at + n], "big") if n else 0

    def add(at, n):
        if n:
            out[at:at + n] = (read(at, n) + by).to_bytes(n, "big")

    for _ in range(count):
        p += 2 if version < 2 else 4
        method = 0
        if version in (1, 2):
            method = read(p, 2) & 15
            p += 2
        p += 2  # data reference index
        base_at = p
        p += base_size
        extents = read(p, 2)
        p += 2
        if method == 0 and base_size:
            add(base_at, base_size)
        for _ in range(extents):
            p += index_size
            if method == 0 and not base_size:
                add(p, offset_size)
            p += offset_size + length_size
    return bytes(out)


def rotated_heif(data, quarters_anticlockwise):
    """The HEIF file with an essential irot property on its primary item."""
    meta = next(b for b in boxes(data, 0, len(data)) if b[0] == b"meta")
    primary = struct.unpack(">H", data[child(data, meta, b"pitm", True)[1] + 12:][:2])[0]
    iprp = child(data, meta, b"iprp", True)
    ipco, ipma = child(data, iprp, b"ipco"), child(data, iprp, b"ipma")
    index = len(boxes(data, ipco[1] + ipco[3], ipco[1] + ipco[2])) + 1
    irot = struct.pack(">I4sB", 9, b"irot", quarters_anticlockwise)
    # The association: essential, the new index, 7 or 15 bits wide.
    p = ipma[1] + ipma[3]
    version, wide = data[p], data[p + 3] & 1
    association = struct.pack(">H", 0x8000 | index) if wide else bytes([0x80 | index])
    p += 4
    entries = struct.unpack(">I", data[p:p + 4])[0]
    p += 4
    for _ in range(entries):
        item = struct.unpack(">H" if version < 1 else ">I", data[p:p + (2 if version < 1 else 4)])[0]
        p += 2 if version < 1 else 4
        count = data[p]
        end = p + 1 + count * len(association)
        if item == primary:
            data = data[:p] + bytes([count + 1]) + data[p + 1:end] + association + data[end:]
            break
        p = end
    ipco_end = ipco[1] + ipco[2]
    data = data[:ipco_end] + irot + data[ipco_end:]
    # ipma follows ipco, so its position moved by the new property.
    ipma = (ipma[0], ipma[1] + len(irot), ipma[2], ipma[3])
    added = len(irot) + len(association)
    data = grow(data, ipma, len(association))
    data = grow(data, ipco, len(irot))
    data = grow(data, iprp, added)
    data = grow(data, meta, added)
    meta = next(b for b in boxes(data, 0, len(data)) if b[0] == b"meta")
    return shifted_iloc(data, child(data, meta, b"iloc", True), added)


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "tests" / "data" / "thumbs"
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        halves_ppm(tmp / "halves.ppm")
        vips("copy", str(tmp / "halves.ppm"), str(tmp / "halves.jpg[Q=98]"))
        (tmp / "o6.jpg").write_bytes(with_orientation_6((tmp / "halves.jpg").read_bytes()))
        to_p3 = ["--input-profile", "srgb"]
        vips("icc_transform", str(tmp / "o6.jpg"), str(folder / "rotated.webp[Q=90]"), "p3", *to_p3)
        vips("icc_transform", str(tmp / "o6.jpg"), str(folder / "rotated.tif[compression=deflate]"),
             "p3", *to_p3)
        for name, compression in (("rotated.heic", "hevc"), ("rotated.avif", "av1")):
            plain = tmp / name
            vips("icc_transform", str(tmp / "halves.ppm"),
                 f"{plain}[Q=90,compression={compression}]", "p3", *to_p3)
            (folder / name).write_bytes(rotated_heif(plain.read_bytes(), 3))


if __name__ == "__main__":
    main()

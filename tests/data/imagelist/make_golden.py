#!/usr/bin/env python3
"""Writes the image list test files byte by byte from the file layout:

  resource header: 0xFF, WORD type 10, "TIMAGELIST\\0", WORD flags 0x1030,
                   DWORD length of the object stream
  object stream:   "TPF0", short strings class and component name, then
                   properties (short string name + type byte + value), 0, 0
  "Bitmap" value:  type 10, DWORD length, the image-list stream:
                   ILHEAD (28 bytes), image BMP, mask BMP when flags & 1

Run from this folder: python3 make_golden.py
The picture pattern and masks here are mirrored by the tests.
"""
import struct


def pattern(i, x, y):
    return ((x * 3 + i * 50) % 256, ((y * 5 + i * 20) % 256) | 1, (x + y + i * 7) % 256)


def sstr(b):
    return bytes([len(b)]) + b


def prop_int(name, v):
    if -128 <= v <= 127:
        return sstr(name) + b"\x02" + struct.pack("<b", v)
    if -32768 <= v <= 32767:
        return sstr(name) + b"\x03" + struct.pack("<h", v)
    return sstr(name) + b"\x04" + struct.pack("<i", v)


def prop_bin(name, data):
    return sstr(name) + b"\x0a" + struct.pack("<I", len(data)) + data


def resource(name, props):
    stream = b"TPF0" + sstr(b"TImageList") + sstr(name) + b"".join(props) + b"\x00\x00"
    return b"\xff" + struct.pack("<H", 10) + b"TIMAGELIST\x00" + struct.pack("<HI", 0x1030, len(stream)) + stream


def ilhead(count, capacity, grow, cx, cy, flags):
    return struct.pack("<HHHHHHHIH4h", 0x4C49, 0x101, count, capacity, grow, cx, cy, 0xFFFFFFFF, flags,
                       -1, -1, -1, -1)


def bmp(width, height, bpp, rows, palette=(), top_down=False):
    """rows: top row first, each a list of pixel values (palette index, or
    (r, g, b) for 16/24/32 bits)."""
    stride = (width * bpp + 31) // 32 * 4
    bits = bytearray()
    order = rows if top_down else list(reversed(rows))
    for row in order:
        line = bytearray()
        if bpp in (1, 4):
            acc, n = 0, 0
            for v in row:
                acc = (acc << bpp) | v
                n += bpp
                if n == 8:
                    line.append(acc)
                    acc, n = 0, 0
            if n:
                line.append(acc << (8 - n))
        elif bpp == 8:
            line.extend(row)
        elif bpp == 16:
            for r, g, b in row:
                line.extend(struct.pack("<H", ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3)))
        elif bpp == 24:
            for r, g, b in row:
                line.extend((b, g, r))
        elif bpp == 32:
            for r, g, b in row:
                line.extend((b, g, r, 0))
        line.extend(b"\x00" * (stride - len(line)))
        bits.extend(line)
    pal = b""
    if bpp <= 8:
        entries = list(palette) + [(0, 0, 0)] * ((1 << bpp) - len(palette))
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in entries)
    off = 14 + 40 + len(pal)
    header = b"BM" + struct.pack("<IHHI", off + len(bits), 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bpp, 0, len(bits), 0, 0, 0, 0)
    return header + info + pal + bytes(bits)


def grid(count, columns, cx, cy, pixel, blank):
    rows_of_pictures = max(1, (count + columns - 1) // columns)
    out = []
    for y in range(rows_of_pictures * cy):
        row = []
        for x in range(columns * cx):
            i = (y // cy) * columns + x // cx
            row.append(pixel(i, x % cx, y % cy) if i < count else blank)
        out.append(row)
    return out


def strip_height(capacity, cy):
    return (capacity + 3) // 4 * cy


def list_24(count, masks):
    """A 130 x 80 list as the program writes it: 24-bit, capacity rounded
    up to 4, grow 4, masked when `masks` is given (pixels under the mask
    black)."""
    cx, cy = 130, 80
    capacity = max(4, (count + 3) // 4 * 4)
    rows = strip_height(capacity, cy) // cy

    def pixel(i, x, y):
        if masks and masks[i](x, y):
            return (0, 0, 0)
        return pattern(i, x, y)

    image = grid(count, 4, cx, cy, pixel, (0, 0, 0))[: rows * cy]
    image += [[(0, 0, 0)] * (4 * cx)] * (rows * cy - len(image))
    flags = 0x18 | (1 if masks else 0)
    data = ilhead(count, capacity, 4, cx, cy, flags) + bmp(4 * cx, rows * cy, 24, image)
    if masks:
        m = grid(count, 4, cx, cy, lambda i, x, y: 1 if masks[i](x, y) else 0, 0)
        m += [[0] * (4 * cx)] * (rows * cy - len(m))
        data += bmp(4 * cx, rows * cy, 1, m, palette=[(0, 0, 0), (255, 255, 255)])
    return data


MASKS3 = [lambda x, y: x < 20, lambda x, y: False, lambda x, y: (x + y) % 5 == 0]


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


def main():
    h, w = prop_int(b"Height", 80), prop_int(b"Width", 130)

    # Files that follow the program's own writing conventions byte for byte.
    write("empty_named.dat", resource(b"RuimteImages", [h, w]))
    write("two_unmasked24.dat", resource(b"appimages", [h, w, prop_bin(b"Bitmap", list_24(2, None))]))
    write("three_masked.dat", resource(b"usedRuimteimages", [h, w, prop_bin(b"Bitmap", list_24(3, MASKS3))]))

    # 8-bit palette, 2 pictures, unmasked, 4-wide grid, bottom-up.
    pal8 = [(i, 255 - i, (i * 7) % 256) for i in range(256)]
    img = grid(2, 4, 130, 80, lambda i, x, y: (x + y + i * 100) % 256, 0)
    data = ilhead(2, 5, 4, 130, 80, 0x08) + bmp(520, 80, 8, img, pal8)
    write("palette8.dat", resource(b"appimages", [h, w, prop_bin(b"Bitmap", data)]))

    # Unknown properties of every value type around a 4-bit top-down masked
    # list of one picture; the mask strip is top-down too.
    pal4 = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255)] + [(i * 16, i * 16, i * 16) for i in range(4, 16)]
    img = grid(1, 4, 130, 80, lambda i, x, y: 1 + (x // 10) % 15, 0)
    msk = grid(1, 4, 130, 80, lambda i, x, y: 1 if y < 10 else 0, 0)
    data = (ilhead(1, 5, 4, 130, 80, 0x05) + bmp(520, 80, 4, img, pal4, top_down=True)
            + bmp(520, 80, 1, msk, [(0, 0, 0), (255, 255, 255)], top_down=True))
    extra = [
        prop_int(b"AllocBy", 8),
        sstr(b"BkColor") + b"\x07" + sstr(b"clNone"),
        sstr(b"DrawingStyle") + b"\x07" + sstr(b"dsTransparent"),
        h,
        sstr(b"Masked") + b"\x09",
        sstr(b"ShareImages") + b"\x08",
        sstr(b"Options") + b"\x0b" + sstr(b"one") + sstr(b"two") + b"\x00",
        sstr(b"Ratio") + b"\x05" + b"\x00" * 9 + b"\x3f",
        sstr(b"Caption") + b"\x06" + sstr(b"hello"),
        sstr(b"Long") + b"\x0c" + struct.pack("<I", 3) + b"abc",
        sstr(b"Wide") + b"\x12" + struct.pack("<I", 2) + "hi".encode("utf-16-le"),
        sstr(b"Utf") + b"\x14" + struct.pack("<I", 2) + b"ok",
        sstr(b"Big") + b"\x13" + struct.pack("<q", 1 << 40),
        sstr(b"Float") + b"\x0f" + struct.pack("<f", 1.5),
        sstr(b"Money") + b"\x10" + struct.pack("<q", 10000),
        sstr(b"When") + b"\x11" + struct.pack("<d", 45000.5),
        sstr(b"Nothing") + b"\x0d",
        sstr(b"Items") + b"\x01" + b"\x02\x05" + b"\x06" + sstr(b"x") + b"\x00",
        sstr(b"Coll") + b"\x0e" + b"\x02\x00" + b"\x01" + prop_int(b"Tag", 1) + b"\x00"
        + b"\x01" + prop_int(b"Tag", 2) + b"\x00" + b"\x00",
        sstr(b"ColorDepth") + b"\x07" + sstr(b"cd24Bit"),
        prop_bin(b"Bitmap", data),
        w,
    ]
    write("extra_props.dat", resource(b"RuimteImages", extra))

    # 16-bit 5-5-5, two 65 x 40 pictures side by side (one-row strip), flat
    # colours so that scaling to 130 x 80 keeps them.
    cols16 = [(248, 0, 0), (0, 248, 120)]
    img = grid(2, 2, 65, 40, lambda i, x, y: cols16[i], (0, 0, 0))
    data = ilhead(2, 2, 1, 65, 40, 0x10) + bmp(130, 40, 16, img)
    write("small16.dat", resource(b"appimages", [prop_int(b"Height", 40), prop_int(b"Width", 65),
                                                 prop_bin(b"Bitmap", data)]))

    # 1-bit picture strip with a two-colour palette, one picture.
    img = grid(1, 4, 130, 80, lambda i, x, y: (x // 13 + y // 8) % 2, 0)
    data = ilhead(1, 4, 4, 130, 80, 0x00) + bmp(520, 80, 1, img, [(200, 0, 0), (0, 0, 200)])
    write("bpp1.dat", resource(b"appimages", [h, w, prop_bin(b"Bitmap", data)]))

    # 32-bit, five pictures (two grid rows), masked: mask where y >= 70.
    img = grid(5, 4, 130, 80, lambda i, x, y: (0, 0, 0) if y >= 70 else pattern(i, x, y), (0, 0, 0))
    msk = grid(5, 4, 130, 80, lambda i, x, y: 1 if y >= 70 else 0, 0)
    data = (ilhead(5, 8, 4, 130, 80, 0x21) + bmp(520, 160, 32, img)
            + bmp(520, 160, 1, msk, [(0, 0, 0), (255, 255, 255)]))
    write("bpp32_masked.dat", resource(b"usedAppimages", [h, w, prop_bin(b"Bitmap", data)]))

    # Malformed files.
    good = resource(b"RuimteImages", [h, w])
    write("bad_resource_length.dat", good[:16] + struct.pack("<I", 0x7FFFFFF0) + good[20:])
    huge = ilhead(65535, 65535, 4, 130, 80, 0x00) + bmp(520, 80, 1, [[1] * 520] * 80, [(0, 0, 0), (9, 9, 9)])
    write("bad_huge_count.dat", resource(b"x", [h, w, prop_bin(b"Bitmap", huge)]))
    absurd = ilhead(1, 4, 4, 130, 80, 0x18) + b"BM" + struct.pack("<IHHI", 0, 0, 0, 54) + struct.pack(
        "<IiiHHIIiiII", 40, 200000, 200000, 1, 24, 0, 0, 0, 0, 0, 0)
    write("bad_absurd_bitmap.dat", resource(b"x", [h, w, prop_bin(b"Bitmap", absurd)]))
    short_strip = ilhead(9, 9, 4, 130, 80, 0x00) + bmp(520, 80, 1, [[1] * 520] * 80, [(0, 0, 0), (9, 9, 9)])
    write("bad_short_strip.dat", resource(b"x", [h, w, prop_bin(b"Bitmap", short_strip)]))
    write("bad_unknown_type.dat", resource(b"x", [h, sstr(b"Odd") + b"\x63", w]))


if __name__ == "__main__":
    main()

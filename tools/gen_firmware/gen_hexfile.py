#!/usr/bin/env python3
"""Writes resources/firmware/HEXFILE.hex: the program's own stand-in for the
box's application firmware, as Intel HEX.

It covers flash 0x0000..0x6FFF of the box's 8-bit controller: vectors, a code
area of plausible instruction words, constant tables (dim curve, USB
descriptors, texts), a long stretch of erased (0xFF) pages and an identity page
at the top whose last word ends at 0x6FFF. The content is made up and
deterministic; running the script again gives the same file.

Usage: gen_hexfile.py [OUTPUT]
"""
import math
import os
import struct
import sys

FLASH = 0x7000
image = bytearray([0xFF]) * FLASH


def put(addr, data):
    image[addr:addr + len(data)] = data


def flash_bytes(data):
    # Byte data that must lie in flash in this order: pre-exchanged in the file.
    data = bytes(data) + (b"\xff" if len(data) % 2 else b"")
    return b"".join(bytes([data[i + 1], data[i]]) for i in range(0, len(data), 2))


def words(values):
    # The file carries each 16-bit word high byte first; the update stores the
    # two bytes exchanged, so the flash holds them little-endian.
    return b"".join(struct.pack(">H", v & 0xFFFF) for v in values)


# Reset and interrupt vectors: jump words to the start of the code.
put(0x0000, words([0xEF20, 0xF000, 0xFFFF, 0xFFFF]))
put(0x0008, words([0xEF40, 0xF000, 0x0012, 0xFFFF]))
put(0x0018, words([0xEF60, 0xF000, 0x0012, 0xFFFF]))

# Code: instruction-like words from a small repertoire, routines ending in a
# return word; a simple linear congruential generator keeps it reproducible.
seed = 0x820
ops = [0x0E00, 0x6E00, 0x5000, 0x2600, 0x0A00, 0xB000, 0xA000, 0xD000, 0xEC00, 0xC000, 0x8000, 0x9000]
code = []
addr = 0x0040
while addr < 0x2C00:
    seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
    if seed % 23 == 0:
        code.append(0x0012)  # return
    else:
        code.append(ops[(seed >> 8) % len(ops)] | ((seed >> 16) & 0xFF))
    addr += 2
put(0x0040, words(code))

# Dim curve: 17 levels (off, 16 dim levels) as 16-bit phase angles.
curve = [int(10000 * (1 - math.sin(math.pi / 2 * i / 16))) for i in range(17)]
put(0x3000, words(curve))

# USB device descriptor: vendor 0xFEFF, product 0x0802, release 1.1.
device = bytes([18, 1, 0x00, 0x02, 0, 0, 0, 64]) + struct.pack("<HHH", 0xFEFF, 0x0802, 0x0101) + bytes([1, 2, 0, 1])
put(0x3080, flash_bytes(device))
product = "KLV-820".encode("utf-16-le")
put(0x30A0, flash_bytes(bytes([2 + len(product), 3]) + product))

# Texts of the box (zero-terminated).
put(0x3100, flash_bytes(b"KLV-820\0" + b"1.1\0" + b"READY\0"))

# Identity page at the top of the application area: version, image size in
# pages and a closing word at 0x6FFE..0x6FFF.
put(0x6F80, words([0x0101, 0x0802, 0xFEFF]))
put(0x6FFE, words([0x55AA]))


def record(kind, address, data):
    body = bytes([len(data), address >> 8, address & 0xFF, kind]) + data
    check = (-sum(body)) & 0xFF
    return ":" + (body + bytes([check])).hex().upper()


lines = [record(4, 0, b"\x00\x00")]
for base in range(0, FLASH, 16):
    chunk = image[base:base + 16]
    if all(b == 0xFF for b in chunk):
        continue  # erased flash is not written
    lines.append(record(0, base, bytes(chunk)))
lines.append(record(1, 0, b""))

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "firmware", "HEXFILE.hex")
with open(out, "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")

used = sum(1 for p in range(0, FLASH, 128) if any(b != 0xFF for b in image[p:p + 128]))
print(f"{out}: {len(lines)} records, {used} of {FLASH // 128} pages used")

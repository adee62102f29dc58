#!/usr/bin/env python3
"""Builds the data file samples of tst_datafiles byte by byte from the file
layouts (never with the program's own writer). Run from any folder; the files
are written next to this script."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def be16(n):
    return bytes([(n >> 8) & 0xFF, n & 0xFF])


def i32(n):
    return struct.pack('<i', n)


def name_field(text, junk=b''):
    """Length byte + 30 characters; `junk` fills the characters after the name."""
    raw = text.encode('cp1252')
    assert len(raw) <= 30
    body = raw + junk
    body = body[:30] + b'\0' * (30 - len(body[:30]))
    return bytes([len(raw)]) + body


PAD = b'\xAA'  # padding holds garbage: the reader must ignore it


def device(name='', image=-1, schijf=0, dimbaar=0, code=-1, niveau=8, junk=b''):
    r = name_field(name, junk) + PAD + i32(image) + bytes([schijf, dimbaar]) + PAD * 2 + i32(code) + i32(niveau)
    assert len(r) == 48
    return r


def room(name='', image=-1, devices=(), junk=b''):
    r = name_field(name, junk) + PAD + i32(image)
    devs = list(devices) + [device()] * (16 - len(devices))
    r += b''.join(devs)
    assert len(r) == 804
    return r


def scene(name='', items=()):
    r = name_field(name) + PAD
    its = list(items) + [(-1, -1, 0)] * (16 - len(items))
    for ruimte, apparaat, waarde in its:
        r += i32(ruimte) + i32(apparaat) + i32(waarde)
    assert len(r) == 224
    return r


def entry(ruimte=-1, apparaat=-1, maand=0, dag=0, uur=24, minuut=0, zon=0, rnd=0, aktie=b'\0\0\0\0',
          aangemaakt=44000.0):
    if isinstance(aktie, int):
        aktie = struct.pack('<I', aktie)
    r = (i32(ruimte) + i32(apparaat) + i32(maand) + i32(dag) + i32(uur) + i32(minuut) + i32(zon) +
         bytes([rnd]) + PAD * 3 + aktie + PAD * 4 + struct.pack('<d', aangemaakt))
    assert len(r) == 48
    return r


rooms = [
    room('Woonkamer', 2, [
        device('Lamp', 0, 1, 0, 35, 8),
        device('Dimmer é', 1, 0, 1, 200, 12),
        # Length 3 with the remains of a longer, earlier name behind it.
        device('Taf', 3, 0, 0, 7, 8, junk=b'ellamp bij het raam'),
    ]),
    room('Keuken €', -1, [device('A' * 30, -1, 0, 1, 0, 16)], junk=b'\xFF\xFE\x00junk'),
] + [room()] * 14

scenes = [scene('Avond', [(0, 0, 17), (0, 1, 5), (1, 0, 0)])] + [scene()] * 14 + [scene('Laatste', [(1, 0, 17)])]

programme = [
    entry(0, 0, 13, 130, 7, 30, 0, 0, 17, 45000.25),
    entry(),  # blank record in the middle
    entry(17, 0, 1, 15, 24, 0, 165, 0, 0, 45001.5),
    # Aktie's upper bytes hold garbage; only the low byte counts.
    entry(1, 0, 2, 29, 23, 30, 0, 1, b'\x05\x12\x34\x56', 45002.123456789),
] + [entry()] * 296

room_section = b''.join(rooms)
scene_section = b''.join(scenes)
prog_section = b''.join(programme)
assert len(room_section) == 12864 and len(scene_section) == 3584 and len(prog_section) == 14400

golden = be16(12864) + room_section + be16(3584) + scene_section + be16(14400) + prog_section
assert len(golden) == 30854


def location(country, city, latd, latm, ns, lond, lonm, ew, tzh, tzs):
    def short20(t):
        raw = t.encode('cp1252')
        return bytes([len(raw)]) + raw + b'\0' * (20 - len(raw))
    r = short20(country) + short20(city) + bytes([latd, latm, ns, lond, lonm, ew, tzh, tzs])
    assert len(r) == 50
    return r


env_block = bytes([1, 0]) + location('Nederland', 'Utrecht', 52, 5, 0, 5, 7, 0, 1, 0)
env = be16(52) + env_block
assert len(env) == 54

# What a writer must produce for the golden content: padding and the unused
# name characters zero, the stored entries packed at the front, blank records
# made at 44000.0.
PAD = b'\0'
canonical_rooms = [
    room('Woonkamer', 2, [
        device('Lamp', 0, 1, 0, 35, 8),
        device('Dimmer é', 1, 0, 1, 200, 12),
        device('Taf', 3, 0, 0, 7, 8),
    ]),
    room('Keuken €', -1, [device('A' * 30, -1, 0, 1, 0, 16)]),
] + [room()] * 14
canonical_scenes = [scene('Avond', [(0, 0, 17), (0, 1, 5), (1, 0, 0)])] + [scene()] * 14 + \
    [scene('Laatste', [(1, 0, 17)])]
canonical_programme = [
    entry(0, 0, 13, 130, 7, 30, 0, 0, 17, 45000.25),
    entry(17, 0, 1, 15, 24, 0, 165, 0, 0, 45001.5),
    entry(1, 0, 2, 29, 23, 30, 0, 1, 5, 45002.123456789),
] + [entry(aangemaakt=44000.0)] * 297
canonical = (be16(12864) + b''.join(canonical_rooms) + be16(3584) + b''.join(canonical_scenes) + be16(14400) +
             b''.join(canonical_programme))
assert len(canonical) == 30854

files = {
    'canonical_kvl820.dat': canonical,
    'golden_kvl820.dat': golden,
    'golden_environment.dat': env,
    # Ends inside room 1: room 0 is whole.
    'trunc_in_rooms.dat': golden[:2 + 804 + 100],
    # Ends inside scene 1: all rooms and scene 0 are whole.
    'trunc_in_scenes.dat': golden[:12868 + 224 + 50],
    'after_scenes.dat': golden[:16452],
    # Programme section stated as 14400 bytes but only 5 records present.
    'trunc_in_programme.dat': golden[:16454 + 5 * 48],
    # Room section stated 8 bytes longer than 16 rooms; the surplus follows.
    'long_room_section.dat': be16(12864 + 8) + room_section + b'\xEE' * 8 + be16(3584) + scene_section +
                             be16(14400) + prog_section,
    # Room section stated as 65535 bytes in a file that ends much earlier.
    'huge_room_section.dat': be16(0xFFFF) + golden[2:20000],
    # Programme section with a 301st record that must not be read.
    'long_programme.dat': golden[:16452] + be16(14400 + 48) + prog_section + entry(5, 5, 5, 5, 5, 5, 0, 0, 17, 1.0),
    # Room section stated shorter than 16 rooms: two rooms, then the scenes.
    'short_room_section.dat': be16(2 * 804) + room_section[:2 * 804] + be16(3584) + scene_section +
                              be16(14400) + prog_section,
    # Environment: stated 52 bytes, but the location record is cut after 20.
    'env_short.dat': be16(52) + env_block[:22],
    'env_flags_only.dat': be16(52) + bytes([1]),
    # Stated longer than the block; the surplus is ignored.
    'env_long.dat': be16(64) + env_block + b'\x99' * 12,
}

for name, data in files.items():
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)

#!/usr/bin/env python3
"""An independent implementation of the packed archive format (".pff"), used as the reference
the qzdata archive commands are checked against.

Format (all integers 32-bit little-endian): a header of five words {header size (>= 20),
unused, entry count, unused (record size 32), directory offset}; the directory is `count`
records of 32 bytes {flags, data offset, data size, unused, 16-byte name NUL-terminated within
the field or exactly 16 characters}. Bit 16 of the flags marks data stored scrambled: a key
starting at 0x6B1D2F9 is rotated left by 7 bits before each byte, and the byte is XORed with
the key's low 8 bits. Names compare without regard to ASCII letter case; the first equal record
wins; an entry whose data does not lie wholly inside the file is missing.

Commands:
  gen SEED OUT.pff               write a random archive; print its entry names, one per line
  list ARCHIVE.pff               print "name<TAB>size<TAB>scrambled|plain" per record
  extract ARCHIVE.pff NAME OUT   write the whole entry, unscrambled (exit 1 when missing)
  extract-all ARCHIVE.pff DIR    for the i-th line of standard input (a name), write DIR/i.bin
                                 or nothing when missing
"""

import os
import random
import struct
import sys

HEADER_SIZE = 20
RECORD_SIZE = 32
NAME_SIZE = 16
SCRAMBLED = 0x10000
SEED = 0x6B1D2F9


def scramble(data):
    """Scrambles or unscrambles (the same operation) a whole entry."""
    key = SEED
    out = bytearray(data)
    for i in range(len(out)):
        key = ((key << 7) | (key >> 25)) & 0xFFFFFFFF
        out[i] ^= key & 0xFF
    return bytes(out)


class Record:
    def __init__(self, flags, offset, size, name):
        self.flags, self.offset, self.size, self.name = flags, offset, size, name

    @property
    def scrambled(self):
        return bool(self.flags & SCRAMBLED)


def read_directory(blob):
    """The records, or None when the archive must be refused."""
    if len(blob) < HEADER_SIZE:
        return None
    header_size, _, count, _, directory = struct.unpack_from("<5I", blob, 0)
    if header_size < HEADER_SIZE or directory + count * RECORD_SIZE > len(blob):
        return None
    records = []
    for i in range(count):
        at = directory + i * RECORD_SIZE
        flags, offset, size, _ = struct.unpack_from("<4I", blob, at)
        name = blob[at + 16:at + 16 + NAME_SIZE].split(b"\0", 1)[0]
        records.append(Record(flags, offset, size, name))
    return records


def lower(name):
    return bytes(c + 32 if 65 <= c <= 90 else c for c in name)


def find(blob, records, name):
    for record in records:
        if lower(record.name) == lower(name) and record.offset + record.size <= len(blob):
            return record
    return None


def entry_bytes(blob, record):
    data = blob[record.offset:record.offset + record.size]
    return scramble(data) if record.scrambled else data


def write_archive(path, entries, rng, header_size=HEADER_SIZE):
    """Writes (name, data, scrambled) entries: directory right behind the header, data in a
    shuffled order with gaps, noise in every field the reader ignores."""
    count = len(entries)
    directory = HEADER_SIZE
    cursor = directory + count * RECORD_SIZE
    order = list(range(count))
    rng.shuffle(order)
    placed = {}
    chunks = []
    for index in order:
        gap = rng.choice([0, 0, 1, 3, 17])
        chunks.append(bytes(rng.getrandbits(8) for _ in range(gap)))
        cursor += gap
        name, data, scrambled = entries[index]
        stored = scramble(data) if scrambled else data
        placed[index] = cursor
        chunks.append(stored)
        cursor += len(stored)
    out = bytearray(struct.pack("<5I", header_size, rng.getrandbits(32), count, RECORD_SIZE, directory))
    for index, (name, data, scrambled) in enumerate(entries):
        flags = rng.getrandbits(32) & ~SCRAMBLED
        if scrambled:
            flags |= SCRAMBLED
        field = name + b"\0" + bytes(rng.getrandbits(8) for _ in range(NAME_SIZE))
        out += struct.pack("<4I", flags, placed[index], len(data), rng.getrandbits(32)) + field[:NAME_SIZE]
    for chunk in chunks:
        out += chunk
    if entries and rng.random() < 0.3:
        # One record whose data runs past the end of the file: a missing entry.
        index = rng.randrange(count)
        struct.pack_into("<I", out, directory + index * RECORD_SIZE + 8, len(out) + rng.randint(1, 1 << 20))
    with open(path, "wb") as f:
        f.write(out)


NAME_CHARS = b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-. ~()"
DIRECTORIES = [b"maps\\", b"TERRAINS\\", b"models\\3di\\", b"a\\b\\", b"x/"]


def random_name(rng):
    directory = rng.choice([b""] * 3 + DIRECTORIES)
    length = NAME_SIZE - len(directory) if rng.random() < 0.25 else rng.randint(1, NAME_SIZE - len(directory))
    return directory + bytes(rng.choice(NAME_CHARS) for _ in range(length))


def random_size(rng):
    return rng.choice([0, 1, 2, rng.randint(3, 200), rng.randint(200, 5000), rng.randint(5000, 70000)])


def generate(seed, path):
    rng = random.Random(seed)
    entries = []
    for _ in range(rng.randint(0, 24)):
        if entries and rng.random() < 0.1:
            # The same name again in another case: the first record must win.
            name = entries[rng.randrange(len(entries))][0].swapcase()
        else:
            name = random_name(rng)
        data = bytes(rng.getrandbits(8) for _ in range(random_size(rng)))
        entries.append((name, data, rng.random() < 0.5))
    write_archive(path, entries, rng, rng.choice([HEADER_SIZE, HEADER_SIZE, 24, 0x7FFFFFFF]))
    return [name for name, _, _ in entries]


def main(argv):
    out = sys.stdout.buffer
    if len(argv) == 4 and argv[1] == "gen":
        for name in generate(int(argv[2]), argv[3]):
            out.write(name + b"\n")
        return 0
    if len(argv) >= 3:
        with open(argv[2], "rb") as f:
            blob = f.read()
        records = read_directory(blob)
        if records is None:
            sys.stderr.write("refused\n")
            return 1
        if len(argv) == 3 and argv[1] == "list":
            for record in records:
                kind = b"scrambled" if record.scrambled else b"plain"
                out.write(record.name + b"\t" + str(record.size).encode() + b"\t" + kind + b"\n")
            return 0
        if len(argv) == 5 and argv[1] == "extract":
            record = find(blob, records, os.fsencode(argv[3]))
            if record is None:
                return 1
            with open(argv[4], "wb") as f:
                f.write(entry_bytes(blob, record))
            return 0
        if len(argv) == 4 and argv[1] == "extract-all":
            for index, line in enumerate(sys.stdin.buffer.read().split(b"\n")[:-1]):
                record = find(blob, records, line)
                if record is not None:
                    with open(os.path.join(argv[3], "%d.bin" % index), "wb") as f:
                        f.write(entry_bytes(blob, record))
            return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

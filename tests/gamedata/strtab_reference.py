#!/usr/bin/env python3
"""Independent reference of the string-table format, used to check the C++ writer and reader.

    strtab_reference.py build SOURCE.txt TABLE.bin   text source -> table
    strtab_reference.py dump TABLE.bin               table -> canonical text source on stdout
    strtab_reference.py lookup TABLE.bin SECTION KEY prints the text, exit 1 when not found
    strtab_reference.py lookup-many TABLE.bin QUERIES
                         QUERIES holds "section NUL key NUL" pairs; prints for each "1" text NUL
                         when found, "0" NUL when not
    strtab_reference.py batch DIR COUNT
                         for i below COUNT: DIR/source_i.txt -> DIR/theirs_i.bin (build),
                         DIR/ours_i.bin -> DIR/refdump_i.txt (dump), and DIR/queries_i.bin
                         against DIR/ours_i.bin -> DIR/answers_i.bin (lookup-many)

Table layout (little-endian 32-bit words): header {0, directory offset, 0, record count N};
N records of 16 bytes {string offset from the string area, 0, 0, 0}; the strings in record
order, NUL-terminated; zero padding to a multiple of 4; the directory: section count S, S pairs
{key-name offset from the first pair, key count}, the section names, then each section's key
names. Text source: "[Section]" lines, "KEY=text" lines with the escapes \\n \\t \\r \\\\,
blank lines (spaces and tabs only) and "#" comments ignored, a final CR of a line dropped.
"""
import struct
import sys

ESCAPES = {"n": b"\n", "t": b"\t", "r": b"\r", "\\": b"\\"}


def unescape(text):
    out = bytearray()
    i = 0
    while i < len(text):
        c = text[i:i + 1]
        if c == b"\\" and i + 1 < len(text) and text[i + 1:i + 2].decode("latin-1") in ESCAPES:
            out += ESCAPES[text[i + 1:i + 2].decode("latin-1")]
            i += 2
            continue
        out += c
        i += 1
    return bytes(out)


def escape(text):
    out = bytearray()
    for b in text:
        ch = bytes([b])
        if ch == b"\\":
            out += b"\\\\"
        elif ch == b"\n":
            out += b"\\n"
        elif ch == b"\t":
            out += b"\\t"
        elif ch == b"\r":
            out += b"\\r"
        else:
            out += ch
    return bytes(out)


def parse_source(data):
    """Returns [(section name, [(key, text), ...]), ...] with bytes everywhere."""
    sections = []
    lines = data.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    for number, line in enumerate(lines, 1):
        if line.endswith(b"\r"):
            line = line[:-1]
        if line.strip(b" \t") == b"" or line.startswith(b"#"):
            continue
        if len(line) >= 2 and line.startswith(b"[") and line.endswith(b"]"):
            sections.append((line[1:-1], []))
            continue
        if b"=" not in line:
            raise ValueError("line %d: not a section, key or comment" % number)
        if not sections:
            raise ValueError("line %d: key before the first section" % number)
        key, _, text = line.partition(b"=")
        sections[-1][1].append((key, unescape(text)))
    return sections


def format_source(sections):
    blocks = []
    for name, keys in sections:
        block = b"[" + name + b"]\n"
        for key, text in keys:
            block += key + b"=" + escape(text) + b"\n"
        blocks.append(block)
    return b"\n".join(blocks)


def build(sections):
    records = [text for _, keys in sections for _, text in keys]
    string_area = bytearray()
    offsets = []
    for text in records:
        offsets.append(len(string_area))
        string_area += text + b"\0"
    body = bytearray()
    for off in offsets:
        body += struct.pack("<4I", off, 0, 0, 0)
    body += string_area
    table = bytearray(16) + body
    while len(table) % 4:
        table.append(0)
    directory = len(table)
    names = b"".join(name + b"\0" for name, _ in sections)
    pair_area = 8 * len(sections)
    cursor = pair_area + len(names)  # relative to directory + 4
    pairs = bytearray()
    key_blob = bytearray()
    for _, keys in sections:
        pairs += struct.pack("<2I", cursor + len(key_blob), len(keys))
        for key, _ in keys:
            key_blob += key + b"\0"
    table += struct.pack("<I", len(sections)) + pairs + names + key_blob
    struct.pack_into("<4I", table, 0, 0, directory, 0, len(records))
    return bytes(table)


def cstring(data, offset):
    end = data.index(b"\0", offset)
    return data[offset:end], end + 1


def read_table(data):
    """Returns [(section, [(key, text or None), ...])] in stored order."""
    _, directory, _, count = struct.unpack_from("<4I", data, 0)
    string_area = 16 + 16 * count
    (section_count,) = struct.unpack_from("<I", data, directory)
    pairs_at = directory + 4
    name_at = pairs_at + 8 * section_count
    sections = []
    record = 0
    for s in range(section_count):
        key_offset, key_count = struct.unpack_from("<2I", data, pairs_at + 8 * s)
        name, name_at = cstring(data, name_at)
        at = pairs_at + key_offset
        keys = []
        for j in range(key_count):
            key, at = cstring(data, at)
            number = record + j
            if number < count:
                (text_offset,) = struct.unpack_from("<I", data, 16 + 16 * number)
                text, _ = cstring(data, string_area + text_offset)
            else:
                text = None
            keys.append((key, text))
        record += key_count
        sections.append((name, keys))
    return sections


def lookup(data, section, key):
    lower = bytes.lower
    for name, keys in read_table(data):
        if lower(name) == lower(section):
            for k, text in keys:
                if lower(k) == lower(key):
                    return text
            return None
    return None


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def dump(data):
    sections = read_table(data)
    return format_source([(n, [(k, t if t is not None else b"") for k, t in keys]) for n, keys in sections])


def lookup_many(data, queries):
    parts = queries.split(b"\0")
    out = bytearray()
    for i in range(0, len(parts) - 1, 2):
        text = lookup(data, parts[i], parts[i + 1])
        out += b"0\0" if text is None else b"1" + text + b"\0"
    return bytes(out)


def main(argv):
    if len(argv) == 4 and argv[1] == "batch":
        folder, count = argv[2], int(argv[3])
        for i in range(count):
            write("%s/theirs_%d.bin" % (folder, i), build(parse_source(read("%s/source_%d.txt" % (folder, i)))))
            ours = read("%s/ours_%d.bin" % (folder, i))
            write("%s/refdump_%d.txt" % (folder, i), dump(ours))
            write("%s/answers_%d.bin" % (folder, i), lookup_many(ours, read("%s/queries_%d.bin" % (folder, i))))
        return 0
    if len(argv) == 4 and argv[1] == "build":
        with open(argv[2], "rb") as f:
            sections = parse_source(f.read())
        with open(argv[3], "wb") as f:
            f.write(build(sections))
        return 0
    if len(argv) == 3 and argv[1] == "dump":
        sys.stdout.buffer.write(dump(read(argv[2])))
        return 0
    if len(argv) == 5 and argv[1] == "lookup":
        with open(argv[2], "rb") as f:
            text = lookup(f.read(), argv[3].encode("latin-1"), argv[4].encode("latin-1"))
        if text is None:
            return 1
        sys.stdout.buffer.write(text)
        return 0
    if len(argv) == 4 and argv[1] == "lookup-many":
        sys.stdout.buffer.write(lookup_many(read(argv[2]), read(argv[3])))
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))

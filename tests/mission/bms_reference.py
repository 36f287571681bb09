#!/usr/bin/env python3
"""Reference implementation of the binary mission export and the text reports, written apart
from the C++ code. It reads the mission metafile itself.

    bms_reference.py export MISSION.mis OUT.bms [options]
        The binary mission of a metafile. The export's warnings are printed to standard error as
        "CAPTION: TEXT" lines, as the tool prints its message boxes.
    bms_reference.py report groups|areas|waypoints|events MISSION.mis OUT.txt [options]
    bms_reference.py report event N MISSION.mis OUT.txt [options]
        A text report of a metafile.

Options:
    --texts FILE          the interface string table as text source (required)
    --items FILE          "items.def", plain text (definition ids and types, in file order)
    --sunsets FILE        "sunsets.def", plain text
    --mission-file TEXT   the page's mission_file (the report headers); default: MISSION as given
    --epoch SECONDS       the report date as seconds since 1970, in local time (default:
                          SOURCE_DATE_EPOCH, else now)

Exit status: 0 written; 1 the metafile could not be read; 2 usage (or no such event).

All texts are bytes (Latin-1 strings here). The rules, briefly:
  * metafile: lines end at LF (CR LF reads as LF); words split at spaces, tabs and commas outside
    double quotes, a quoted text is one word, a line ending in a separator or a quote has an empty
    last word; blocks numbered outside their record ranges are dropped; texts keep what fits;
  * export: items sorted by (type_id, wpnumber) with the plain exchange sort, four sections
    (general, decorations, markers, people) cut to 1024, 1024, 512 and 256 items, texts cut to
    fit with their terminating NUL, narrow fields keep their low bits;
  * reports: header format, then the lines of the report; event sentences from the catalogue.
"""

import re
import struct
import sys
import time
from fractions import Fraction

ITEMS, EVENTS, TRIGGERS, ACTIONS = 5000, 256, 10, 10
WAYPOINT_MARKER, AREA_MARKER = 6005, 6013
BAD_TEXT = "Bad Texttool String"

TYPE_WORDS = {"vehicle": 1, "decoration": 2, "person": 3, "marker": 4, "building": 5, "object": 6,
              "effect": 8}


def wrap32(value):
    value &= 0xFFFFFFFF
    return value - (1 << 32) if value >= (1 << 31) else value


def c_int(word):
    """Decimal conversion as the reader does it: spaces, a sign, digits up to the first other."""
    m = re.match(r"[ \t\n\v\f\r]*([+-]?)(\d*)", word)
    if not m or not m.group(2):
        return 0
    value = int(m.group(2))
    return wrap32(-value if m.group(1) == "-" else value)


def cut(text, width):
    """A text as a field of `width` bytes (with its terminator) keeps it."""
    return text[:width - 1]


# ---- String tables -----------------------------------------------------------------------------

class Texts:
    def __init__(self, path):
        self.sections = []  # [(name, [(key, text)])]
        if path is None:
            return
        with open(path, "rb") as f:
            data = f.read().decode("latin-1")
        current = None
        for line in data.split("\n"):
            if line.endswith("\r"):
                line = line[:-1]
            if line.strip(" \t") == "" or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = (line[1:-1], [])
                self.sections.append(current)
                continue
            key, _, text = line.partition("=")
            current[1].append((key, self.unescape(text)))

    @staticmethod
    def unescape(text):
        out, i = [], 0
        while i < len(text):
            c = text[i]
            if c == "\\" and i + 1 < len(text) and text[i + 1] in "nrt\\":
                out.append({"n": "\n", "r": "\r", "t": "\t", "\\": "\\"}[text[i + 1]])
                i += 2
                continue
            out.append(c)
            i += 1
        return "".join(out)

    def lookup(self, section, key):
        """The text of the key in the first section of that name; the fallback when missing or
        empty. Names are compared without regard to ASCII letter case."""
        for name, keys in self.sections:
            if name.lower() == section.lower():
                for k, text in keys:
                    if k.lower() == key.lower():
                        return text if text else BAD_TEXT
                return BAD_TEXT
        return BAD_TEXT


CONVERSION = re.compile(r"%([-+ #0]*)(\d*)(?:\.(\d*))?(hh|h|ll|l|j|z|t|L)?([diouxXcsfFeEgGaA%])")


def c_format(fmt, args):
    """printf with int and str arguments; each conversion takes the next argument."""
    out, pos, arg = [], 0, 0
    for m in CONVERSION.finditer(fmt):
        out.append(fmt[pos:m.start()])
        pos = m.end()
        flags, width, precision, length, conv = m.groups()
        if conv == "%":
            out.append("%")
            continue
        value = args[arg] if arg < len(args) else None
        arg += 1
        directive = "%" + flags + width + ("." + precision if precision is not None else "")
        if conv in "di" and isinstance(value, int):
            if length == "h":
                value = struct.unpack("<h", struct.pack("<H", value & 0xFFFF))[0]
            elif length == "hh":
                value = struct.unpack("<b", struct.pack("<B", value & 0xFF))[0]
            out.append((directive + "d") % value)
        elif conv in "ouxX" and isinstance(value, int):
            mask = {"h": 0xFFFF, "hh": 0xFF}.get(length, 0xFFFFFFFF)
            out.append((directive + conv.replace("u", "d")) % (value & mask))
        elif conv == "c" and isinstance(value, int):
            out.append((directive + "c") % chr(value & 0xFF))
        elif conv == "s" and isinstance(value, str):
            out.append((directive + "s") % value)
        else:
            out.append(m.group(0))
    out.append(fmt[pos:])
    return "".join(out)


# ---- Definition files ----------------------------------------------------------------------------

def read_defs(path):
    """Item definitions in file order: [(id, type, name)]."""
    defs = []
    if path is None:
        return defs
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").replace("\r\n", "\n").split("\n")
    current = None
    for line in lines:
        words = line.split()
        if not words or words[0].startswith("/"):
            continue
        key = words[0].lower()
        if key == "begin":
            current = [0, 0, words[1] if len(words) > 1 else ""]
        elif key == "id" and current is not None:
            current[0] = c_int(words[1]) - 100000
        elif key == "type" and current is not None:
            current[1] = TYPE_WORDS.get(words[1].lower(), 0)
        elif key == "end" and current is not None:
            defs.append(tuple(current))
            current = None
    return defs


def set_extension(name, ext):
    return (name.split(".", 1)[0] if "." in name else name) + "." + ext


def read_sunsets(path):
    sunsets = []
    if path is None:
        return sunsets
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").replace("\r\n", "\n").split("\n")
    current = None
    for line in lines:
        words = line.split()
        if not words or words[0].startswith("/"):
            continue
        key = words[0].lower()
        if key == "begin":
            current = {"clouds": "", "skygrad": "", "skyheight": 0, "horizon": 0, "id": 0, "gamma": 0,
                       "sat": 0, "r": 0, "g": 0, "b": 0}
        elif key == "end":
            sunsets.append(current)
        elif key in ("skygrad", "clouds"):
            current[key] = set_extension(words[1], "tga" if key == "skygrad" else "pcx")
        elif key == "skyheight":
            current[key] = c_int(words[1])
        elif key == "horizon":
            current[key] = int(float(words[1]) * 65536)
        elif key in ("id", "gamma", "sat", "r", "g", "b"):
            current[key] = c_int(words[1]) & 0xFF
    return sunsets[:64]


# ---- Metafile ----------------------------------------------------------------------------------

def split_words(line):
    """The line reader's word splitting: separators (and quotes) become NULs in a copy of the
    line; a word starts at each other character met while a new word is expected, the closing
    NUL included; at most 30 words."""
    if line == "":
        return []
    buf = list(line) + ["\0"]
    starts, expect, quoted = [], True, False
    for i, c in enumerate(buf):
        if (not quoted and c in " \t,") or c == '"':
            if c == '"':
                quoted = not quoted
            buf[i] = "\0"
            expect = True
        elif expect:
            if len(starts) == 30:
                break
            starts.append(i)
            expect = False
    text = "".join(buf)
    return [text[st:text.index("\0", st)] for st in starts]


def new_item():
    return {k: 0 for k in ("type_id", "id", "x", "y", "z", "heading", "pitch", "team", "map_symbol",
                           "name_index", "bmsi_attributes", "nolessthan", "nomorethan", "weapon_type",
                           "sweapon_type", "group_id", "group_rel", "waypoint_id", "wpnumber", "wpdistance",
                           "ttoolindex", "fov", "alert_state", "obliqueness", "waccuracy2", "perception2",
                           "perfectionist2", "movetimer", "crouchtimer", "shoottimer", "attention",
                           "advancetimer", "edist_min", "edist_max", "item_class")}


ITEM_KEYS = ["map_symbol", "name_index", "bmsi_attributes", "nolessthan", "nomorethan", "weapon_type",
             "sweapon_type", "group_id", "group_rel", "waypoint_id", "wpnumber", "wpdistance", "ttoolindex",
             "fov", "alert_state", "obliqueness", "movetimer", "crouchtimer", "shoottimer", "attention",
             "advancetimer", "waccuracy2", "perception2", "perfectionist2"]
ITEM_SKIPPED = ["attributes", "layer", "loadout", "bumper", "name_override", "camo_type", "speed", "ai",
                "advance", "formation", "icon_value", "ammo_50_cal", "ammo_tow", "ammo_stinger",
                "ammo_grenade", "delay", "smoke_time", "ai_name", "value"]
FRACTIONS = {"waccuracy": "waccuracy2", "perception": "perception2", "perfectionist": "perfectionist2"}


def percent_from_fraction(word):
    """The decimal number times 100, truncated toward zero, exactly; 0 without a number."""
    m = re.match(r"[ \t\n\v\f\r]*([+-]?)(\d*)(?:\.(\d*))?", word)
    whole, frac = m.group(2), m.group(3) or ""
    if not whole and not frac:
        return 0
    value = Fraction(int(whole or "0")) + (Fraction(int(frac), 10 ** len(frac)) if frac else 0)
    percent = int(value * 100)
    percent = -percent if m.group(1) == "-" else percent
    return max(-(1 << 31), min((1 << 31) - 1, percent))
GENERAL_INTS = ["terrain_color", "attrib", "visible_if", "notvisible_if", "arty", "water_level", "fog_level",
                "fog_color", "weather_type", "sunset", "lowest_elev"]
GENERAL_SKIPPED = ["loadout", "time_limit", "tank_loadout", "mapkey_circle", "mapkey_fcircle",
                   "mapkey_diamond", "mapkey_cross", "attriba", "attribb", "attribn", "wp_names_blue",
                   "wp_names_red"]


class Page:
    def __init__(self, texts):
        self.general = {k: 0 for k in GENERAL_INTS}
        self.general.update({"name": "", "designer": "", "terrain": "", "cnv_file": "", "tt_file": "",
                             "equipment": [0, 0, 0, 0], "wind": [0, 0]})
        self.num_items = 0
        self.num_events = 0
        self.items = [new_item() for _ in range(ITEMS)]
        self.waypoints = [{"description": "", "attrib": 0} for _ in range(128)]
        self.groups = [{"description": "", "attrib": 0, "commander": 0} for _ in range(64)]
        self.wavs = [{"file_name": ""} for _ in range(32)]
        self.areas = [{"description": ""} for _ in range(100)]
        self.events = [{"name": "", "attrib": 0, "reset": 0, "delay": 0, "triggers": [], "actions": []}
                       for _ in range(EVENTS)]
        self.briefing = ""
        self.win = [0, 0, 0, 0]
        self.lose = [0, 0, 0, 0]
        self.mission_file = ""
        # Clearing the page the editor works on names its groups 1 and 2.
        self.groups[1]["description"] = cut(texts.lookup("Players", "BLUEPLAYERS"), 256)
        self.groups[2]["description"] = cut(texts.lookup("Players", "REDPLAYERS"), 256)


def int8(value):
    value &= 0xFF
    return value - 256 if value >= 128 else value


class MetafileError(Exception):
    def __init__(self, number, line):
        super().__init__("line %i: %s" % (number, line))


def read_metafile(path, texts, defs):
    """The page; MetafileError when a line is rejected or a block is left open."""
    page = Page(texts)
    with open(path, "rb") as f:
        data = f.read().decode("latin-1").replace("\r\n", "\n")
    lines = data.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    state, record, counter = "top", None, 0
    event = None
    for number, line in enumerate(lines, 1):
        w = split_words(line[:1000])
        if not w or w[0].startswith("/"):
            continue
        key = w[0].lower()
        word = lambda i: w[i] if i < len(w) else ""
        num = lambda i: c_int(word(i))
        if state == "briefing":
            if key == "endbriefing":
                page.briefing = cut(page.briefing, 256).replace("|", "\n")
                state = "top"
            else:
                page.briefing = cut(page.briefing + word(1), 256)
            continue
        if state == "top":
            if key != "begin":
                raise MetafileError(number, line)
            block = word(1).lower()
            n = num(2)
            if block == "general_information":
                state = "general"
            elif block == "briefing":
                state = "briefing"
            elif block in ("item", "waypoint", "event", "group", "wav_list", "layer", "areatrig", "wind"):
                state = block
                limits = {"item": (0, ITEMS - 1), "waypoint": (1, 127), "event": (0, EVENTS - 1),
                          "group": (1, 63), "wav_list": (1, 31), "layer": (0, 15), "areatrig": (1, 99),
                          "wind": (0, 1 << 40)}[block]
                record = n if limits[0] <= n <= limits[1] else None
                if block == "event":
                    event = page.events[record] if record is not None else {"triggers": [], "actions": []}
            else:
                raise MetafileError(number, line)
            continue
        if state in ("triggers", "actions"):
            if key == "end":
                state = "event"
                continue
            values = [c_int(x) for x in w]
            if state == "triggers":
                slot = [0] * 8
                for i in range(min(7, len(values))):
                    slot[i] = values[i]
                if len(values) >= 8:
                    slot[7] = values[7]
                if counter < TRIGGERS and counter < len(event["triggers"]):
                    event["triggers"][counter] = slot
            else:
                slot = [0] * 8
                order = [0, 1, 3, 4, 5, 6]
                for i in range(min(6, len(values))):
                    slot[order[i]] = values[i]
                if len(values) >= 7:
                    slot[2] = values[6]
                    if len(values) >= 8:
                        slot[7] = values[7]
                if counter < ACTIONS and counter < len(event["actions"]):
                    event["actions"][counter] = slot
            counter += 1
            continue
        if key == "end":
            state = "top"
            continue
        if state == "general":
            g = page.general
            if key in ("name", "designer", "terrain", "cnv_file", "tt_file"):
                g[key] = cut(word(1), {"name": 80, "designer": 80}.get(key, 16))
            elif key in GENERAL_INTS:
                g[key] = num(1)
            elif key == "num_items":
                page.num_items = max(0, min(ITEMS, num(1)))
            elif key == "num_events":
                page.num_events = max(0, min(EVENTS, num(1)))
            elif key in ("subgoals_win", "subgoals_lose"):
                target = page.win if key == "subgoals_win" else page.lose
                for i in range(4):
                    target[i] = int8(num(1 + i))
            elif key == "default_equipment":
                e = g["equipment"]
                e[1], e[2], e[3], e[0] = num(1), num(2), num(3), num(4)
            elif key == "wind":
                g["wind"] = [num(1), num(2)]
            elif key not in GENERAL_SKIPPED:
                raise MetafileError(number, line)
        elif state == "item":
            item = page.items[record] if record is not None else new_item()
            if key in ("type_id", "id"):
                item[key] = num(1)
            elif key == "position":
                item["x"], item["y"], item["z"] = num(1), num(2), num(3)
            elif key == "facing":
                if len(w) >= 3:
                    item["heading"], item["pitch"] = num(1), num(2)
            elif key in ("team", "alignment"):
                item["team"] = num(1)
            elif key in ITEM_KEYS:
                item[key] = num(1)
            elif key == "edistances":
                item["edist_min"], item["edist_max"] = num(1), num(2)
            elif key in FRACTIONS:
                item[FRACTIONS[key]] = percent_from_fraction(word(1))
            elif key == "name":
                if item["type_id"] == 0:
                    found = [d for d in defs if d[2].lower() == word(1).lower()]
                    if found:
                        item["type_id"] = found[0][0]
            elif key not in ITEM_SKIPPED:
                raise MetafileError(number, line)
        elif state == "waypoint":
            target = page.waypoints[record] if record is not None else {}
            if key == "description":
                target["description"] = cut(word(1), 1280)
            elif key in ("attrib", "noloop"):
                target["attrib"] = num(1)
            elif key not in ("color", "speed"):
                raise MetafileError(number, line)
        elif state == "group":
            target = page.groups[record] if record is not None else {}
            if key == "description":
                target["description"] = cut(word(1), 256)
            elif key in ("attrib", "commander"):
                target[key] = num(1)
            elif key != "color":
                raise MetafileError(number, line)
        elif state == "wav_list":
            target = page.wavs[record] if record is not None else {}
            if key == "file_name":
                target["file_name"] = cut(word(1), 40)
            elif key != "description":
                raise MetafileError(number, line)
        elif state == "layer":
            if key != "description":
                raise MetafileError(number, line)
        elif state == "areatrig":
            target = page.areas[record] if record is not None else {}
            if key == "description":
                target["description"] = cut(word(1), 256)
            elif key not in ("color", "attrib"):
                raise MetafileError(number, line)
        elif state == "event":
            if key == "name":
                event["name"] = cut(word(1), 64)
            elif key == "attrib":
                event["attrib"] = num(1)
            elif key == "reset_value":
                event["reset"] = num(1)
            elif key == "delay_value":
                event["delay"] = num(1)
            elif key == "begin" and word(1).lower() in ("triggers", "actions"):
                count = max(0, min(TRIGGERS, num(2)))
                state = word(1).lower()
                event[state] = [[0] * 8 for _ in range(count)]
                counter = 0
            else:
                raise MetafileError(number, line)
        # wind blocks: every key is accepted and nothing of them is exported
    if state != "top":
        raise MetafileError(len(lines) + 1, "(end of file inside a block)")
    # Definition indices and classes; items without an id get the next ids.
    first_index = {}
    for index, (def_id, _, _) in enumerate(defs):
        first_index.setdefault(def_id, index)
    highest = max([page.items[i]["id"] for i in range(page.num_items)] + [0])
    for i in range(page.num_items):
        item = page.items[i]
        index = first_index.get(item["type_id"])
        item["item_class"] = defs[index][1] if index is not None else 0
        if item["id"] == 0:
            highest = wrap32(highest + 1)
            item["id"] = highest
    return page


# ---- Derived data ------------------------------------------------------------------------------

def waypoint_members(page, defs):
    """Members of each waypoint list (slots ordered by wpnumber with the exchange sort)."""
    members = [[] for _ in range(128)]
    if WAYPOINT_MARKER not in [d[0] for d in defs]:
        return members
    for i in range(page.num_items):
        item = page.items[i]
        if item["type_id"] != WAYPOINT_MARKER:
            continue
        number = item["waypoint_id"]
        if 1 <= number <= 127:
            if len(members[number]) < 64:
                members[number].append(i)
        else:
            item["waypoint_id"] = 0
    for m in members:
        for o in range(len(m) - 1):
            for j in range(o + 1, len(m)):
                if page.items[m[o]]["wpnumber"] > page.items[m[j]]["wpnumber"]:
                    m[o], m[j] = m[j], m[o]
    return members


def areas_with_markers(page, defs):
    used = set()
    if AREA_MARKER not in [d[0] for d in defs]:
        return used
    for i in range(page.num_items):
        item = page.items[i]
        if item["type_id"] == AREA_MARKER and 0 < item["wpnumber"] < 100:
            used.add(item["wpnumber"])
    return used


# ---- Export ------------------------------------------------------------------------------------

LIMITS = [("decor", 1024, "TOO_MANY_DECOR"), ("markers", 512, "TOO_MANY_MARKERS"),
          ("people", 256, "TOO_MANY_ORGANICS"), ("general", 1024, "TOO_MANY_ITEMS")]


def category(item_class):
    return {2: "decor", 5: "decor", 4: "markers", 3: "people"}.get(item_class, "general")


def text_field(text, width):
    raw = cut(text, width).encode("latin-1")
    return raw + b"\0" * (width - len(raw))


def s32(v):
    return struct.pack("<i", wrap32(v))


def s16(v):
    return struct.pack("<H", v & 0xFFFF)


def u8(v):
    return struct.pack("<B", v & 0xFF)


def c_remainder(a, b):
    r = abs(a) % b
    return -r if a < 0 else r


def export(page, texts, defs, sunsets):
    """(bytes, warnings as "CAPTION: TEXT")."""
    n = page.num_items
    items = page.items[:n]
    keys = [(it["type_id"], it["wpnumber"]) for it in items]
    for o in range(n - 1):
        held = keys[o]
        for j in range(o + 1, n):
            if held > keys[j]:
                keys[o], keys[j] = keys[j], held
                items[o], items[j] = items[j], items[o]
                held = keys[o]
    page.items[:n] = items

    counts = {"general": 0, "decor": 0, "markers": 0, "people": 0}
    for it in items:
        counts[category(it["item_class"])] += 1
    warnings = []
    for name, limit, key in LIMITS:
        if counts[name] > limit:
            warnings.append("%s: %s" % (texts.lookup("Dialog Message", "WARNING"),
                                        c_format(texts.lookup("Dialog Message", key), [counts[name], limit])))
            counts[name] = limit

    g = page.general
    sky = next((s for s in sunsets if s["id"] == g["sunset"]), sunsets[0] if sunsets else None)
    sky = sky or {"clouds": "", "skygrad": "", "skyheight": 0, "horizon": 0, "gamma": 0, "sat": 0, "r": 0,
                  "g": 0, "b": 0}
    out = bytearray(b"BMS\x0f")
    out += text_field(g["name"], 32) + text_field(g["designer"], 32)
    out += text_field(g["terrain"], 16) + text_field(g["cnv_file"], 16) + text_field(g["tt_file"], 16)
    for k in ["terrain_color", "attrib", "visible_if", "notvisible_if", "arty", "water_level", "fog_level",
              "fog_color"]:
        out += s32(g[k])
    out += b"".join(u8(e) for e in g["equipment"])
    for k in ["general", "decor", "markers", "people"]:
        out += s32(counts[k])
    out += s32(page.num_events) + s32(g["weather_type"])
    out += b"".join(u8(v) for v in page.win) + b"".join(u8(v) for v in page.lose)
    out += text_field(sky["clouds"], 16) + text_field(sky["skygrad"], 16)
    out += s32(sky["skyheight"]) + s32(sky["horizon"])
    out += bytes([sky["gamma"], sky["sat"], sky["r"], sky["g"], sky["b"], 0, 0, 0])
    out += s32(g["wind"][0]) + s32(g["wind"][1]) + b"\0" * 24
    out += text_field(page.briefing, 256)
    assert len(out) == 520

    for section in ["general", "decor", "markers", "people"]:
        written = 0
        for it in items:
            if written == counts[section]:
                break
            if category(it["item_class"]) != section:
                continue
            written += 1
            out += s32(it["type_id"]) + s32(it["name_index"]) + s32(it["id"]) + s32(it["bmsi_attributes"])
            out += s32(it["x"] << 8) + s32(it["y"] << 8) + s32(it["z"] << 8)
            for k in ["wpdistance", "waccuracy2", "perception2", "perfectionist2", "edist_min", "edist_max"]:
                out += s32(it[k])
            out += s16(c_remainder(it["heading"], 360))
            for k in ["pitch", "fov", "movetimer", "crouchtimer", "shoottimer", "attention"]:
                out += s16(it[k])
            for k in ["alert_state", "team", "nomorethan", "nolessthan", "weapon_type", "sweapon_type",
                      "group_id", "waypoint_id", "wpnumber", "obliqueness", "map_symbol"]:
                out += u8(it[k])
            out += b"\0" * 3 + s32(it["group_rel"]) + s32(it["advancetimer"]) + s32(it["ttoolindex"]) + s32(0)

    members = waypoint_members(page, defs)
    ordinal, markers = [], 0
    for it in items:
        ordinal.append(markers)
        if it["item_class"] == 4:
            markers += 1
    for number in range(128):
        listed = members[number][:32]
        out += s32(page.waypoints[number]["attrib"]) + s32(len(listed))
        out += b"".join(s32(ordinal[slot]) for slot in listed) + b"\0" * (4 * (32 - len(listed)))
    for group in page.groups:
        out += s32(group["attrib"] & 3) + s32(0) + s32(group["commander"]) + s32(10) + b"\0" * 16
    for wav in page.wavs:
        out += s32(0) + text_field(wav["file_name"], 16)

    events = page.events[:page.num_events]
    out += s32(len(events)) + s32(sum(len(e["triggers"]) for e in events))
    out += s32(sum(len(e["actions"]) for e in events))
    first_trigger = first_action = 0
    for e in events:
        out += s32(e["attrib"]) + s32(first_trigger) + s32(first_action)
        out += s16(0) + s16(e["reset"] * 50) + s16(0) + s16(e["delay"] * 50)
        out += bytes([0, len(e["triggers"]), len(e["actions"]), 0])
        first_trigger += len(e["triggers"])
        first_action += len(e["actions"])
    for e in events:
        for t in e["triggers"]:
            out += b"".join(s32(v) for v in t)
    for e in events:
        for a in e["actions"]:
            out += b"".join(s32(v) for v in a)
    return bytes(out), warnings


# ---- Event sentences ---------------------------------------------------------------------------

# Group conditions: (positive key, negated key, how many of values 3, 4, 5 the sentence shows).
CONDITIONS = [("GROUP-NULL", "GROUP-NULL", 0), ("GROUP_SEES_GROUP", "GROUP_NOT_SEES_GROUP", 2),
              ("GROUP_HAS_TARGETED_GROUP", "GROUP_HAS_NOT_TARGETED_GROUP", 2),
              ("GROUP_AT_RED_ALERT", "GROUP_NOT_AT_RED_ALERT", 1), ("GROUP_DESTROYED", "GROUP_NOT_DESTROYED", 1),
              ("GROUP_ALIVE", "GROUP_NOT_ALIVE", 1),
              ("GROUP_HAS_LOST_MORE_UNITS", "GROUP_HAS_NOT_LOST_MORE_UNITS", 2),
              ("GROUP_AT_WAYPOINT", "GROUP_NOT_AT_WAYPOINT", 3),
              ("GROUP_FINISH_WP_LIST", "GROUP_NOT_FINISH_WP_LIST", 1), ("GROUP_INTACT", "GROUP_NOT_INTACT", 1),
              ("GROUP_IS_WITHIN_AREA", "GROUP_IS_NOT_WITHIN_AREA", 2),
              ("GROUP_HOLDING_GROUP", "GROUP_NOT_HOLDING_GROUP", 2), ("GROUP_HAS_MORE_UNITS", "GROUP_LESS_THAN", 2),
              ("GROUP_HAS_SHOT_GROUP", "GROUP_HAS_NOT_SHOT_GROUP", 2)]
TRIGGER_TYPES = {0: ("NULL", "NULL", 0), 2: ("EVENT_TRIGGERED", "EVENT_NOT_TRIGGERED", 1),
                 3: ("CAMPAIGN_VARIABLE_SET", "CAMPAIGN_VARIABLE_NOT_SET", 1),
                 4: ("SECOND_TIME_THROUGH", "NOT_SECOND_TIME_THROUGH", 0),
                 5: ("SQUADMATES_ARE_ON", "SQUADMATES_ARE_OFF", 0)}
# Action types: (sentence key, arguments: "text", "values", "ai" or "team").
ACTION_TYPES = [("NULL", "text"), ("GROUP_REDIRECT_TO", "values"), ("ELIMINATE_GROUP", "values"),
                ("CHANGE_GROUP", "ai"), ("VAPORIZE_GROUP_NUM", "values"), ("SET_CAMPAIGN_VARIABLE_NUM", "values"),
                ("TEXT_MESSAGE", "values"), ("PLAY_WAV_FILE_LIST", "values"), ("BLUE_WIN", "text"),
                ("RED_WIN", "text"), ("GREEN_WIN", "text"), ("SET_GROUP_TO_SPEED", "values"),
                ("CHANGE_ALL_RED_IN_AREA", "ai"), ("CHANGE_ALL_BLUE_IN_AREA", "ai"), ("SUB_GOAL_NUM_WON", "values"),
                ("SUB_GOAL_NUM_LOST", "values"), ("CHANGE_TEAM_STRING", "team"), ("CHANGE_GROUP_STRING", "values"),
                ("GROUP_TELEPORT_STRING", "values")]
# AI changes: a fixed key, a (on, off) pair for bits, or ("value", key) for numbers.
AI_CHANGES = ["COLON_NULL", ("value", "WEAPONS_TO"), ("GUARD_ON", "GUARD_OFF"), ("STAND_ON", "STAND_OFF"),
              ("PRONE_ON", "PRONE_OFF"), "TO_RED_ALERT", "TO_GREEN_ALERT", ("value", "TO_FOV_DEGREES"),
              ("value", "ACCURACY_TO"), ("value", "PERCEPTION_TO"), ("value", "MOVE_TIMER_TO"),
              ("value", "CROUCH_TIMER_TO"), ("value", "ATTENTION_SPAN_TO"), ("value", "OBLIQUENESS_TO"),
              ("SILENT_ON", "SILENT_OFF"), ("BLIND_ON", "BLIND_OFF"), ("BERSERK_ON", "BERSERK_OFF"),
              ("CLIMBER_ON", "CLIMBER_OFF"), ("NO_WATER_ON", "NO_WATER_OFF"), ("DEAF_ON", "DEAF_OFF")]


def trigger_text(texts, t, is_last):
    tr = lambda key: texts.lookup("Triggers", key)
    negated = t[0] & 1
    if t[1] == 1:
        text = ""
        if 0 <= t[2] < len(CONDITIONS):
            pos, neg, count = CONDITIONS[t[2]]
            text = c_format(tr(neg if negated else pos), t[3:3 + count])
    elif t[1] in TRIGGER_TYPES:
        pos, neg, count = TRIGGER_TYPES[t[1]]
        text = c_format(tr(neg if negated else pos), t[3:3 + count])
    else:
        text = "???"
    if not is_last:
        word = "OR" if t[0] & 2 else ("XOR" if t[0] & 4 else "AND")
        text += c_format(texts.lookup("Trigger Logic", word), [])
    return text


def ai_text(texts, a):
    tr = lambda key: texts.lookup("Triggers", key)
    if not 0 <= a[2] < len(AI_CHANGES):
        return ""
    change = AI_CHANGES[a[2]]
    if isinstance(change, str):
        return tr(change)
    if change[0] == "value":
        return c_format(tr(change[1]), [a[4]])
    return tr(change[0] if a[4] != 0 else change[1])


def action_text(texts, a):
    tr = lambda key: texts.lookup("Triggers", key)
    if not 0 <= a[1] < len(ACTION_TYPES):
        return tr("RESERVED2")
    key, args = ACTION_TYPES[a[1]]
    if args == "text":
        return tr(key)
    if args == "values":
        return c_format(tr(key), [a[3], a[4]])
    if args == "ai":
        return c_format(tr(key), [a[3], ai_text(texts, a)])
    text = c_format(tr(key), [a[3]])
    colour = {0: "GREEN", 1: "BLUE", 2: "RED"}.get(a[4])
    return text + (texts.lookup("Colors", colour) if colour else "")


# ---- Reports -----------------------------------------------------------------------------------

def event_block(texts, page, k):
    we = lambda key: texts.lookup("Write Event", key)
    e = page.events[k]
    out = c_format(we("EVENT_NUMBER"), [k, e["name"]])
    if e["attrib"] & 1:
        out += c_format(we("RESET_AFTER"), [e["reset"]])
    if e["delay"] != 0:
        out += c_format(we("DELAY_EVENT"), [e["delay"]])
    if e["attrib"] & 2:
        out += c_format(we("PRE_MISSION_EVENT"), [])
    if e["attrib"] & 4:
        out += c_format(we("POST_MISSION_EVENT"), [])
    if e["triggers"]:
        out += c_format(we("TRIGGERS"), [])
        for i, t in enumerate(e["triggers"]):
            out += "    " + trigger_text(texts, t, i == len(e["triggers"]) - 1) + "\n"
    if e["actions"]:
        out += c_format(we("ACTIONS"), [])
        for a in e["actions"]:
            out += "    " + action_text(texts, a) + "\n"
    return out


def report(kind, number, page, texts, defs, when):
    date = [when.tm_mon, when.tm_mday, when.tm_year, when.tm_hour, when.tm_min]
    header = lambda section, key, first: c_format(texts.lookup(section, key), first + date)
    if kind == "groups":
        out = header("File I/O", "GROUP_LIST_HEADER", [page.mission_file])
        for g in range(1, 64):
            if page.groups[g]["description"]:
                out += "%2i - %s\n" % (g, page.groups[g]["description"])
    elif kind == "areas":
        used = areas_with_markers(page, defs)
        out = header("File I/O", "AREATRIGGER_LIST_HEADER", [page.mission_file])
        for a in range(1, 100):
            if a in used or page.areas[a]["description"]:
                out += "%3i - %s\n" % (a, page.areas[a]["description"])
    elif kind == "waypoints":
        members = waypoint_members(page, defs)
        out = header("File I/O", "WAYPOINT_LIST_HEADER", [page.mission_file])
        for w in range(1, 128):
            if members[w] or page.waypoints[w]["description"]:
                out += "%3i - %s (%i)\n" % (w, page.waypoints[w]["description"], len(members[w]))
    elif kind == "events":
        out = header("Write Event", "EVENT_LIST_HEADER", [page.mission_file])
        for k in range(page.num_events):
            out += event_block(texts, page, k) + "\n"
    else:
        if not 0 <= number < page.num_events:
            return None
        out = header("Write Event", "EVENT_HEADER", [number, page.mission_file])
        out += event_block(texts, page, number)
    return out


# ---- Command line ------------------------------------------------------------------------------

def main(argv):
    options, positional, i = {}, [], 1
    while i < len(argv):
        if argv[i].startswith("--"):
            options[argv[i][2:]] = argv[i + 1]
            i += 2
        else:
            positional.append(argv[i])
            i += 1
    if not positional or "texts" not in options:
        print(__doc__, file=sys.stderr)
        return 2
    texts = Texts(options["texts"])
    defs = read_defs(options.get("items"))
    command = positional[0]
    if command == "export" and len(positional) == 3:
        mission, out_path = positional[1], positional[2]
    elif command == "report" and len(positional) == 4 and positional[1] != "event":
        kind, number, mission, out_path = positional[1], None, positional[2], positional[3]
    elif command == "report" and len(positional) == 5 and positional[1] == "event":
        kind, number, mission, out_path = "event", int(positional[2]), positional[3], positional[4]
    else:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        page = read_metafile(mission, texts, defs)
    except (OSError, MetafileError) as error:
        print("bms_reference: cannot read %s: %s" % (mission, error), file=sys.stderr)
        return 1
    page.mission_file = cut(options.get("mission-file", mission), 80)
    if command == "export":
        data, warnings = export(page, texts, defs, read_sunsets(options.get("sunsets")))
        for line in warnings:
            sys.stderr.buffer.write((line + "\n").encode("latin-1"))
    else:
        import os
        epoch = options.get("epoch", os.environ.get("SOURCE_DATE_EPOCH"))
        when = time.localtime(int(epoch) if epoch else None)
        text = report(kind, number, page, texts, defs, when)
        if text is None:
            print("bms_reference: no event %i" % number, file=sys.stderr)
            return 2
        data = text.encode("latin-1")
    with open(out_path, "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

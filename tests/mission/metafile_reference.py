#!/usr/bin/env python3
"""Reference implementation of the mission metafile, written apart from the C++ code.

    metafile_reference.py write PAGE.json OUT.mis [options]
        Writes the metafile of a page dumped as JSON (page_WriteJson / `qzmission info --json`).
    metafile_reference.py resave IN.mis OUT.mis [options]
        Reads a metafile the way the editor opens one and writes it again.

Options:
    --time M,D,Y,H,MIN    the header date (default: SOURCE_DATE_EPOCH, else now, in local time)
    --epoch SECONDS       the header date as seconds since 1970, in local time
    --defs NAME=ID,...    the item definitions, in index order (resave: definition indices,
                          classes, the marker types and the "name" key of older files)
    --blue TEXT, --red TEXT
                          resave: default names of groups 1 and 2 when they are empty after
                          clearing the page (the page is the current page of the editor)

Exit status: 0 written; 1 the input could not be read (resave: the load failed).

Texts are bytes throughout (Latin-1 in JSON). The rules, briefly:
  * writer: texts in double quotes; a double quote becomes an apostrophe, a line feed a space
    (in the briefing a "|"); a value is cut so that its line has at most 698 characters;
    terrain, cnv_file and tt_file bare unless they hold a space, tab, comma, CR, LF or quote;
  * reader: the line reader's word splitting; lines of at most 699 characters; CR LF as LF;
    blocks outside the record ranges read but dropped; counts held to capacity; extra trigger
    and action lines, player waypoint names and text characters beyond capacity dropped.
"""

import json
import os
import re
import sys
import time
from fractions import Fraction

ITEMS, EVENTS, TRIGGERS, ACTIONS = 5000, 256, 10, 10
WAYPOINT_MARKER, AREA_MARKER = 6005, 6013
MAX_LINE = 698

GENERAL_INTS = ["terrain_color", "attrib", "visible_if", "notvisible_if", "arty", "water_level",
                "fog_level", "fog_color", "weather_type", "lowest_elev"]
ITEM_INTS = ["team", "map_symbol", "name_index", "bmsi_attributes", "nolessthan", "nomorethan",
             "weapon_type", "sweapon_type", "group_id", "group_rel", "waypoint_id", "wpnumber",
             "wpdistance", "ttoolindex", "fov", "alert_state", "obliqueness", "waccuracy2",
             "perception2", "perfectionist2", "movetimer", "crouchtimer", "shoottimer", "attention",
             "advancetimer"]
ITEM_TRAILING = ["attributes", "layer"]
ITEM_LEGACY = ["camo_type", "speed", "ai", "advance", "formation", "icon_value", "ammo_50_cal",
               "ammo_tow", "ammo_stinger", "ammo_grenade", "delay", "smoke_time"]

# Field widths (bytes with the terminator) of the texts the reader fills.
WIDTH = {"name": 80, "designer": 80, "terrain": 16, "cnv_file": 16, "tt_file": 16,
         "waypoint": 1280, "group": 256, "event": 64, "wav": 256, "wav_file": 40, "layer": 296,
         "area": 256, "wind": 24, "briefing": 256}


def wrap32(value):
    value &= 0xFFFFFFFF
    return value - (1 << 32) if value >= (1 << 31) else value


def to_int(word):
    """Leading white space, a sign, digits; 0 without digits; wraps to 32 bits."""
    m = re.match(rb"[ \t\n\r\v\f]*([+-]?)([0-9]*)", word)
    digits = m.group(2)
    if not digits:
        return 0
    value = int(digits)
    return wrap32(-value if m.group(1) == b"-" else value)


def percent(word):
    """A decimal fraction times 100, truncated toward zero, exact, held to 32 bits."""
    m = re.match(rb"[ \t\n\r\v\f]*([+-]?)([0-9]*)(?:\.([0-9]*))?", word)
    whole, frac = m.group(2), m.group(3) or b""
    if not whole and not frac:
        return 0
    exp = re.match(rb"[eE]([+-]?[0-9]+)", word[m.end():])
    digits = int(whole + frac)
    power = (int(exp.group(1)) if exp else 0) - len(frac)
    if digits == 0 or power < -2000:
        value = 0
    elif power > 40:
        value = 1 << 40
    else:
        value = int(Fraction(digits * 100) * Fraction(10) ** power)  # int() truncates toward zero
    if m.group(1) == b"-":
        value = -value
    return max(-(1 << 31), min((1 << 31) - 1, value))


# ---------------------------------------------------------------------------------------------
# The page


def new_page():
    return {
        "general": {"name": b"", "designer": b"", "terrain": b"", "cnv_file": b"", "tt_file": b"",
                    **{k: 0 for k in GENERAL_INTS}, "sunset": 0, "default_equipment": [0] * 4,
                    "wind": [0, 0], "wp_names_blue": [0] * 8, "wp_names_red": [0] * 8},
        "num_items": 0, "num_events": 0, "subgoals_win": [0] * 4, "subgoals_lose": [0] * 4,
        "briefing": b"",
        "waypoints": {}, "groups": {}, "wav_lists": {}, "layers": {}, "area_triggers": {},
        "events": {}, "items": {}, "wind_zones": [],
    }


def new_item():
    item = {k: 0 for k in ITEM_INTS + ITEM_TRAILING + ITEM_LEGACY}
    item.update({"id": 0, "type_id": 0, "def_index": 0, "item_class": 0, "position": [0, 0, 0],
                 "facing": [0, 0], "edistances": [0, 0], "loadout": [0] * 5,
                 "bumper": b"", "name_override": b""})
    return item


def new_event():
    return {"name": b"", "attrib": 0, "reset_value": 0, "delay_value": 0, "trigger_count": 0,
            "action_count": 0, "triggers": [[0] * 8 for _ in range(TRIGGERS)],
            "actions": [[0] * 8 for _ in range(ACTIONS)]}


def record(table, number, maker):
    if number not in table:
        table[number] = maker()
    return table[number]


def from_json(data):
    """The page of a JSON dump (texts as Latin-1 strings)."""
    b = lambda s: s.encode("latin-1")
    page = new_page()
    g = data["general"]
    for key in ("name", "designer", "terrain", "cnv_file", "tt_file"):
        page["general"][key] = b(g[key])
    for key in GENERAL_INTS + ["sunset", "default_equipment", "wind", "wp_names_blue", "wp_names_red"]:
        page["general"][key] = g[key]
    for key in ("num_items", "num_events", "subgoals_win", "subgoals_lose"):
        page[key] = data[key]
    page["briefing"] = b(data["briefing"])
    page["waypoint_marker_def"] = data["waypoint_marker_def"]
    page["area_marker_def"] = data["area_marker_def"]
    for table in ("waypoints", "groups", "wav_lists", "layers", "area_triggers"):
        for rec in data[table]:
            page[table][rec["number"]] = {k: (b(v) if isinstance(v, str) else v)
                                          for k, v in rec.items() if k != "number"}
    for n, ev in enumerate(data["events"]):
        event = new_event()
        event.update({k: ev[k] for k in ("attrib", "reset_value", "delay_value", "trigger_count",
                                         "action_count")})
        event["name"] = b(ev["name"])
        for i, values in enumerate(ev["triggers"]):
            event["triggers"][i] = values
        for i, values in enumerate(ev["actions"]):
            event["actions"][i] = values
        page["events"][n] = event
    for n, it in enumerate(data["items"]):
        item = new_item()
        item.update(it)
        page["items"][n] = item
    return page


# ---------------------------------------------------------------------------------------------
# Writer


def clamp(value, capacity):
    return max(0, min(capacity, value))


def safe(text, line_feed):
    return text.replace(b'"', b"'").replace(b"\n", line_feed)


def quoted(prefix, text):
    room = MAX_LINE - len(prefix) - 2
    return prefix + b'"' + safe(text[:room], b" ") + b'"\n'


def bare(prefix, text):
    if any(c in text for c in b" \t,\r\n\""):
        return quoted(prefix, text)
    return prefix + text + b"\n"


def nums(values):
    return b"".join(b" %d" % v for v in values)


def derive(page):
    """Waypoint membership (and resets), group counts and used area triggers."""
    items = [page["items"].get(i) or new_item() for i in range(clamp(page["num_items"], ITEMS))]
    page["items_list"] = items
    members = {}
    wp_def = page.get("waypoint_marker_def", -1)
    if wp_def >= 0:
        for item in items:
            if item["def_index"] == wp_def and item["type_id"] == WAYPOINT_MARKER:
                n = item["waypoint_id"]
                if 1 <= n <= 127:
                    members[n] = members.get(n, 0) + 1
                else:
                    item["waypoint_id"] = 0
    groups = {}
    for item in items:
        if 1 <= item["group_id"] <= 63:
            groups[item["group_id"]] = groups.get(item["group_id"], 0) + 1
    areas = set()
    area_def = page.get("area_marker_def", -1)
    if area_def >= 0:
        for item in items:
            if item["def_index"] == area_def and item["type_id"] == AREA_MARKER and 0 < item["wpnumber"] < 100:
                areas.add(item["wpnumber"])
    return members, groups, areas


def write(page, when):
    members, group_counts, areas = derive(page)
    g = page["general"]
    out = [b"// mission metafile, saved on %d/%d/%d, %d:%2d\n\n\n" % when]
    out.append(b"begin general_information\n")
    out.append(quoted(b"  name ", g["name"]))
    out.append(quoted(b"  designer ", g["designer"]))
    for key in ("terrain", "cnv_file", "tt_file"):
        out.append(bare(b"  %s " % key.encode(), g[key]))
    for key in GENERAL_INTS:
        out.append(b"  %s %d\n" % (key.encode(), g[key]))
    out.append(b"  num_items %d\n" % clamp(page["num_items"], ITEMS))
    out.append(b"  num_events %d\n" % clamp(page["num_events"], EVENTS))
    out.append(b"  subgoals_win" + nums(page["subgoals_win"]) + b"\n")
    out.append(b"  subgoals_lose" + nums(page["subgoals_lose"]) + b"\n")
    out.append(b"  sunset %d\n" % g["sunset"])
    e = g["default_equipment"]
    out.append(b"  default_equipment" + nums([e[1], e[2], e[3], e[0]]) + b"\n")
    out.append(b"  wind" + nums(g["wind"]) + b"\n")
    out.append(b"  wp_names_blue" + nums(g["wp_names_blue"]) + b"\n")
    out.append(b"  wp_names_red" + nums(g["wp_names_red"]) + b"\n")
    out.append(b"end general_information\n\n")

    brief = page["briefing"][:255]
    if brief:
        out.append(b"begin briefing\n\n")
        for start in range(0, len(brief), 100):
            out.append(b'  brief "' + safe(brief[start:start + 100], b"|") + b'"\n')
        out.append(b"endbriefing\n\n")

    def optional(key, value):
        return b"  %s %d\n" % (key, value) if value else b""

    for n in range(1, 100):
        rec = page["area_triggers"].get(n, {})
        desc = rec.get("description", b"")
        if n in areas or desc:
            out.append(b"begin areatrig %d\n" % n + quoted(b"  description ", desc)
                       + optional(b"color", rec.get("color", 0)) + optional(b"attrib", rec.get("attrib", 0))
                       + b"end areatrig\n\n")
    for n in range(1, 128):
        rec = page["waypoints"].get(n, {})
        desc = rec.get("description", b"")
        if members.get(n) or desc:
            out.append(b"begin waypoint %d\n" % n + quoted(b"  description ", desc)
                       + optional(b"color", rec.get("color", 0)) + optional(b"attrib", rec.get("attrib", 0))
                       + b"end waypoint\n\n")
    for n in range(1, 64):
        rec = page["groups"].get(n, {})
        desc = rec.get("description", b"")
        if group_counts.get(n) or desc:
            out.append(b"begin group %d\n" % n + quoted(b"  description ", desc)
                       + optional(b"attrib", rec.get("attrib", 0)) + optional(b"color", rec.get("color", 0))
                       + optional(b"commander", rec.get("commander", 0)) + b"end group\n\n")
    for n in range(1, 32):
        rec = page["wav_lists"].get(n, {})
        desc, name = rec.get("description", b""), rec.get("file_name", b"")
        if desc or name:
            out.append(b"begin wav_list %d\n" % n + quoted(b"  description ", desc)
                       + quoted(b"  file_name ", name) + b"end wav_list\n\n")
    for n in range(0, 16):
        desc = page["layers"].get(n, {}).get("description", b"")
        if desc:
            out.append(b"begin layer %d\n" % n + quoted(b"  description ", desc) + b"end layer\n\n")
    for n in range(clamp(page["num_events"], EVENTS)):
        ev = page["events"].get(n) or new_event()
        out.append(b"begin event %d\n" % n + quoted(b"  name ", ev["name"]))
        for key in ("attrib", "reset_value", "delay_value"):
            out.append(optional(key.encode(), ev[key]))
        count = clamp(ev["trigger_count"], TRIGGERS)
        if count:
            out.append(b"  begin triggers %d\n" % count)
            for v in ev["triggers"][:count]:
                out.append(b"   " + nums(v) + b"\n")
            out.append(b"  end triggers\n")
        count = clamp(ev["action_count"], ACTIONS)
        if count:
            out.append(b"  begin actions %d\n" % count)
            for v in ev["actions"][:count]:
                out.append(b"   " + nums([v[0], v[1], v[3], v[4], v[5], v[6], v[2], v[7]]) + b"\n")
            out.append(b"  end actions\n")
        out.append(b"end event\n\n")
    for n, item in enumerate(page["items_list"]):
        out.append(b"begin item %d\n  id %d\n  type_id %d\n" % (n, item["id"], item["type_id"]))
        out.append(b"  position" + nums(item["position"]) + b"\n")
        if any(item["facing"]):
            out.append(b"  facing" + nums(item["facing"]) + b"\n")
        for key in ITEM_INTS:
            out.append(optional(key.encode(), item[key]))
        if any(item["edistances"]):
            out.append(b"  edistances" + nums(item["edistances"]) + b"\n")
        for key in ITEM_TRAILING:
            out.append(optional(key.encode(), item[key]))
        out.append(b"end item\n\n")
    return b"".join(out)


# ---------------------------------------------------------------------------------------------
# Reader


def split_words(line):
    """Spaces, tabs and commas outside quotes separate; a quote separates too, so a quoted text
    is one word (none when empty); after a trailing separator or quote the end of the line makes
    an empty last word; at most 30 words of the first 1000 characters."""
    line = line[:1000].split(b"\0")[0]
    if not line:
        return []
    words = []
    parts = line.split(b'"')
    for i, part in enumerate(parts):
        if i % 2 == 0:
            words.extend(w for w in re.split(rb"[ \t,]", part) if w)
        elif part:
            words.append(part)
    inside_quotes = len(parts) % 2 == 0
    if line.endswith(b'"') or (not inside_quotes and line[-1:] in (b" ", b"\t", b",")):
        words.append(b"")
    return words[:30]


def text_lines(data):
    """The text-mode reader: CR LF reads as LF; reads of at most 699 characters; the line feed
    ending a read is removed."""
    data = data.replace(b"\r\n", b"\n")
    pos = 0
    while pos < len(data):
        end = data.find(b"\n", pos)
        if end == -1 or end - pos + 1 > 699:
            end = min(len(data), pos + 699)
            yield data[pos:end]
            pos = end
        else:
            yield data[pos:end]
            pos = end + 1


class Reject(Exception):
    pass


def fill_text(value, width):
    return value[:width - 1]


class Reader:
    def __init__(self, page, defs):
        self.page, self.defs = page, defs
        self.state, self.target, self.counter, self.wind = "top", None, 0, None

    def word(self, words, i):
        return words[i] if i < len(words) else b""

    def num(self, words, i):
        return to_int(self.word(words, i))

    def line(self, words):
        key = words[0].lower()
        if self.state == "briefing":
            if key == b"endbriefing":
                self.page["briefing"] = self.page["briefing"].replace(b"|", b"\n")
                self.state = "top"
            else:
                self.page["briefing"] = (self.page["briefing"] + self.word(words, 1))[:255]
            return
        if self.state != "top" and key == b"end":
            self.state = "event" if self.state in ("triggers", "actions") else "top"
            return
        getattr(self, "on_" + self.state)(words, key)

    def on_top(self, words, key):
        if key != b"begin":
            raise Reject()
        block, n = self.word(words, 1).lower(), self.num(words, 2)
        p = self.page
        ranges = {b"item": ("items", 0, ITEMS, new_item), b"waypoint": ("waypoints", 1, 128, dict),
                  b"event": ("events", 0, EVENTS, new_event), b"group": ("groups", 1, 64, dict),
                  b"wav_list": ("wav_lists", 1, 32, dict), b"layer": ("layers", 0, 16, dict),
                  b"areatrig": ("area_triggers", 1, 100, dict)}
        if block == b"general_information":
            self.state = "general"
        elif block == b"briefing":
            self.state = "briefing"
        elif block in ranges:
            table, first, limit, maker = ranges[block]
            self.target = record(p[table], n, maker) if first <= n < limit else maker()
            self.state = block.decode()
        elif block == b"wind":
            zone = {"name": b"", "start": 0, "stop": 0, "heading": 0, "speed": 0}
            if n == 1:
                p["wind_zones"] = [zone]
            else:
                p["wind_zones"].append(zone)
            self.target, self.state = zone, "wind"
        else:
            raise Reject()

    def on_general(self, words, key):
        g, p = self.page["general"], self.page
        k = key.decode("latin-1")
        if k in ("name", "designer", "terrain", "cnv_file", "tt_file"):
            g[k] = fill_text(self.word(words, 1), WIDTH[k])
        elif k in GENERAL_INTS or k == "sunset":
            g[k] = self.num(words, 1)
        elif k in ("num_items", "num_events"):
            p[k] = clamp(self.num(words, 1), ITEMS if k == "num_items" else EVENTS)
        elif k in ("subgoals_win", "subgoals_lose"):
            p[k] = [((self.num(words, i) + 128) & 0xFF) - 128 for i in range(1, 5)]
        elif k == "default_equipment":
            g[k] = [self.num(words, 4), self.num(words, 1), self.num(words, 2), self.num(words, 3)]
        elif k == "wind":
            g[k] = [self.num(words, 1), self.num(words, 2)]
        elif k in ("wp_names_blue", "wp_names_red"):
            for i in range(1, min(len(words), 9)):
                g[k][i - 1] = self.num(words, i)
        elif k in ("loadout", "time_limit", "tank_loadout", "mapkey_circle", "mapkey_fcircle",
                   "mapkey_diamond", "mapkey_cross", "attriba", "attribb", "attribn"):
            pass  # legacy values: stored by the editor but never written again
        else:
            raise Reject()

    def on_item(self, words, key):
        item, k = self.target, key.decode("latin-1")
        if k in ITEM_INTS or k in ITEM_TRAILING or k in ITEM_LEGACY or k in ("id", "type_id"):
            item[k] = self.num(words, 1)
        elif k == "alignment":
            item["team"] = self.num(words, 1)
        elif k == "position":
            item["position"] = [self.num(words, i) for i in (1, 2, 3)]
        elif k == "facing":
            if len(words) >= 3:
                item["facing"] = [self.num(words, 1), self.num(words, 2)]
        elif k in ("waccuracy", "perception", "perfectionist"):
            item[k + "2"] = percent(self.word(words, 1))
        elif k == "edistances":
            item["edistances"] = [self.num(words, 1), self.num(words, 2)]
        elif k == "loadout":
            item["loadout"] = [self.num(words, i) for i in range(1, 6)]
        elif k in ("bumper", "name_override"):
            item[k] = self.word(words, 1)[:4]
        elif k == "name":
            if item["type_id"] == 0:
                wanted = self.word(words, 1).lower()
                for name, type_id in self.defs:
                    if name.lower() == wanted:
                        item["type_id"] = type_id
                        break
        elif k in ("ai_name", "value"):
            pass
        else:
            raise Reject()

    def described(self, words, key, allowed, width):
        rec, k = self.target, key.decode("latin-1")
        if k == "description":
            rec["description"] = fill_text(self.word(words, 1), width)
        elif k in allowed:
            rec[allowed[k]] = self.num(words, 1)
        else:
            raise Reject()

    def on_waypoint(self, words, key):
        if key != b"speed":
            self.described(words, key, {"color": "color", "attrib": "attrib", "noloop": "attrib"},
                           WIDTH["waypoint"])

    def on_group(self, words, key):
        self.described(words, key, {"attrib": "attrib", "color": "color", "commander": "commander"},
                       WIDTH["group"])

    def on_areatrig(self, words, key):
        self.described(words, key, {"color": "color", "attrib": "attrib"}, WIDTH["area"])

    def on_layer(self, words, key):
        self.described(words, key, {}, WIDTH["layer"])

    def on_wav_list(self, words, key):
        if key == b"file_name":
            self.target["file_name"] = fill_text(self.word(words, 1), WIDTH["wav_file"])
        else:
            self.described(words, key, {}, WIDTH["wav"])

    def on_event(self, words, key):
        ev = self.target
        if key == b"name":
            ev["name"] = fill_text(self.word(words, 1), WIDTH["event"])
        elif key in (b"attrib", b"reset_value", b"delay_value"):
            ev[key.decode()] = self.num(words, 1)
        elif key == b"begin" and self.word(words, 1).lower() in (b"triggers", b"actions"):
            kind = self.word(words, 1).lower().decode()
            limit = TRIGGERS if kind == "triggers" else ACTIONS
            ev[kind[:-1] + "_count"] = clamp(self.num(words, 2), limit)
            self.counter, self.state = 0, kind
        else:
            raise Reject()

    def on_triggers(self, words, key):
        if self.counter < TRIGGERS:
            v = self.target["triggers"][self.counter]
            for i in range(7):
                v[i] = self.num(words, i)
            if len(words) >= 8:
                v[7] = self.num(words, 7)
        self.counter += 1

    def on_actions(self, words, key):
        if self.counter < ACTIONS:
            v = self.target["actions"][self.counter]
            v[0], v[1] = self.num(words, 0), self.num(words, 1)
            for i in range(4):
                v[3 + i] = self.num(words, 2 + i)
            if len(words) >= 7:
                v[2] = self.num(words, 6)
            if len(words) >= 8:
                v[7] = self.num(words, 7)
        self.counter += 1

    def on_wind(self, words, key):
        if key == b"name":
            self.target["name"] = fill_text(self.word(words, 1), WIDTH["wind"])


def load(path, defs, blue, red):
    """The page of a metafile, or None when the load fails."""
    page = new_page()
    if blue is not None and red is not None:
        page["groups"][1] = {"description": blue[:255]}
        page["groups"][2] = {"description": red[:255]}
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return None
    reader = Reader(page, defs)
    try:
        for line in text_lines(data):
            words = split_words(line)
            if not words or words[0].startswith(b"/"):
                continue
            reader.line(words)
    except Reject:
        return None
    if reader.state != "top":
        return None
    # Definition index and class of each item; fresh ids for items without one.
    first_index = {}
    for index, (_, type_id) in enumerate(defs):
        first_index.setdefault(type_id, index)
    page["waypoint_marker_def"] = first_index.get(WAYPOINT_MARKER, -1)
    page["area_marker_def"] = first_index.get(AREA_MARKER, -1)
    count = page["num_items"]
    items = [page["items"].get(i) or new_item() for i in range(count)]
    highest = max([it["id"] for it in items] + [0])
    for i, item in enumerate(items):
        item["def_index"] = first_index.get(item["type_id"], 0)
        if item["id"] == 0:
            highest = wrap32(highest + 1)
            item["id"] = highest
        page["items"][i] = item
    return page


# ---------------------------------------------------------------------------------------------


def header_time(options):
    if "time" in options:
        return tuple(int(x) for x in options["time"].split(","))
    epoch = options.get("epoch", os.environ.get("SOURCE_DATE_EPOCH"))
    t = time.localtime(int(epoch)) if epoch else time.localtime()
    return (t.tm_mon, t.tm_mday, t.tm_year, t.tm_hour, t.tm_min)


def parse_defs(text):
    defs = []
    for entry in filter(None, text.split(",")):
        name, type_id = entry.rsplit("=", 1)
        defs.append((name.encode("latin-1"), int(type_id)))
    return defs


def main(argv):
    if len(argv) < 4 or argv[1] not in ("write", "resave"):
        sys.stderr.write(__doc__)
        return 2
    command, source, target = argv[1:4]
    options, rest = {}, argv[4:]
    while rest:
        if len(rest) < 2 or not rest[0].startswith("--"):
            sys.stderr.write(__doc__)
            return 2
        options[rest[0][2:]] = rest[1]
        rest = rest[2:]
    if command == "write":
        with open(source, encoding="utf-8") as f:
            page = from_json(json.load(f))
    else:
        blue = options["blue"].encode("latin-1") if "blue" in options else None
        red = options["red"].encode("latin-1") if "red" in options else None
        page = load(source, parse_defs(options.get("defs", "")), blue, red)
        if page is None:
            return 1
    with open(target, "wb") as f:
        f.write(write(page, header_time(options)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

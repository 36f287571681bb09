#pragma once
// Random mission pages for round-trip tests and benchmarks, and a comparison of the fields a
// metafile carries.

#include "mission/mission_page.h"

#include <cstdint>
#include <string>
#include <vector>

struct RandomPageOptions {
    int items = 1000;      // num_items
    int events = 40;       // num_events
    int max_triggers = 10; // each event gets 0..max_triggers triggers (exactly, when full_events)
    int max_actions = 10;
    bool full_events = false; // every event gets max_triggers triggers and max_actions actions
    bool texts = true;        // names, descriptions and the briefing
    bool high_bytes = true;   // 8-bit characters in texts
    // Item types to draw from; empty means the types of test_item_defs.h (markers included) and
    // now and then an unknown type.
    std::vector<int32_t> types;
};

// Fills a cleared `page` with content the metafile can carry unchanged: texts without double
// quotes (and without line feeds, except in the briefing, which holds no "|"), within what a
// line of the file can take; only written fields set; every record that has settings also has
// a description, so that the writer keeps it. Some items have id 0.
void test_FillRandomPage(MissionPage& page, uint32_t seed, const RandomPageOptions& options = {});

// "" when `read` holds the same saved fields as `written`; otherwise a description of the
// first differences. Derived fields, legacy fields, the selection and editor state are ignored,
// and so are the ids of items that `written` has with id 0.
std::string test_SavedFieldsDiff(const MissionPage& written, const MissionPage& read);

#pragma once
// A page with exactly one problem of every kind page_CheckProblems knows, for the tests of the
// checks, of `qzmission check` and of the Problems panel. Needs the definitions of
// test_item_defs.h.

#include "mission/mission_page.h"

// Clears `page` and fills it: groups 1 (with members) and 5 (without), waypoint lists 1 to 7,
// area triggers 1 to 99, wav list 1 with a file and 3 without, events 0 (naming records that
// are missing or empty) and 1 (empty), and the items of the export categories above their limits.
void test_FillPageWithEveryProblem(MissionPage& page);

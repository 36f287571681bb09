#pragma once
// The mission metafile writer: the editor's own line-oriented text form of a page.
//
// Text values cannot carry a double quote (the format has no escape): the writer writes an
// apostrophe in its place. A line feed inside a one-line text value is written as a space, and
// a value is cut where its line would exceed what the reader takes in one piece, so that a file
// always reads back to what was written. In the briefing a line feed is written as "|", which
// the reader turns back into a line feed (a "|" typed into a briefing therefore reads back as a
// line feed).

#include "foundation/file_failure.h"
#include "mission/mission_page.h"

#include <string>

// The date in the header line.
struct MetafileTime {
    int month = 1;
    int day = 1;
    int year = 1970;
    int hour = 0;
    int minute = 0;
};

// The local time now; when the environment variable SOURCE_DATE_EPOCH holds a number of seconds,
// that moment in local time instead (reproducible files for tests and tools).
MetafileTime metafile_Now();

// Appends the whole metafile text of `page` to `out`. The derived waypoint, group and
// area-trigger data are refreshed first; nothing else in the page changes.
void metafile_Format(MissionPage& page, const MetafileTime& when, std::string& out);

// Writes `page` to `path` through the atomic file writer (foundation/atomic_file.h: the target
// is replaced only when every byte was written; links are written through; only regular files
// are replaced). Returns false (and leaves any previous file as it was) on failure, with the
// reason in `failure` when given.
bool metafile_Write(MissionPage& page, const char* path, FileFailure* failure = nullptr);

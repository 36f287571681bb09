#pragma once
// The texts of metafile read problems and of the messages about them. Each comes from the
// string table, section "Mission File" (the read and write failures from "File I/O"); a key
// the table lacks (game data older than these texts) gives the English text of the same form.

#include "foundation/safe_format.h"
#include "mission/metafile_report.h"

#include <initializer_list>
#include <string>

// The "Mission File" text `key` formatted with `args` (fmt_Format). Keys and their arguments:
// UNCLOSED_BLOCK (line), NUL_BYTES (line, lines), COUNT_NEGATIVE (line, key, value),
// COUNT_TOO_LARGE (line, key, value, capacity), BLOCKS_MISSING (line, count key, count, block,
// numbers), COUNT_MISSING (line, block, count key), BLOCKS_BEYOND_COUNT (line, count key, count,
// block, numbers), BLOCKS_OUTSIDE (line, blocks, block, first, last), BLOCK_REPEATED (line,
// block, number, earlier line), SUBBLOCK_COUNT (line, event, sub-block, declared, found),
// SUBBLOCK_TOO_LARGE (line, event, sub-block, declared, capacity), MORE_LIKE_THIS (line, count),
// MORE_PROBLEMS (count), LIST_CUT (numbers shown, count in all), DAMAGED (path),
// OPEN_DAMAGED (path).
std::string metafile_Text(const char* key, std::initializer_list<FmtArg> args);

// Numbers as a short list of ranges ("3-10, 15"); after `max_ranges` ranges the list is cut
// with the "LIST_CUT" text, which adds how many numbers there are in all.
std::string metafile_NumberRanges(const std::vector<int>& sorted_numbers, size_t max_ranges);

// The problems as one text, one problem a line, at most `max_lines` of them and then the
// "MORE_PROBLEMS" text with the number left out.
std::string metafile_ProblemList(const MetafileReport& report, size_t max_lines);

// The message about a read that was not clean, as the tools print it and the editor shows it.
struct MetafileReadMessage {
    std::string caption; // "Dialog Message" "ASCII_PARSE"
    std::string text;
};
constexpr size_t kMetafileMessageMaxProblems = 12; // problems a message lists before "MORE_PROBLEMS"

// Unreadable: "File I/O" "CANT_READ_FILE" with the path, then the reason ("REASON"). Otherwise
// the problems (at most kMetafileMessageMaxProblems), then "DAMAGED" with the path, or
// "OPEN_DAMAGED" (a question) when `asking`.
MetafileReadMessage metafile_ReadMessage(const MetafileReport& report, const std::string& path, bool asking);

#pragma once
// What a metafile read found: whether the file could be read, read to its end, and whether what
// was read agrees with itself. Files the writer produces always read clean; anything else that
// was read is damaged, and the callers report it rather than use it silently.

#include "foundation/file_failure.h"

#include <cstddef>
#include <string>
#include <vector>

enum class MetafileReadResult {
    Clean,      // read to the end; blocks and counts agree
    Damaged,    // read to the end, but with problems (counts and blocks disagree, NUL bytes, ...)
    Stopped,    // a line was rejected or a block is not closed: the page holds what came before
    Unreadable, // the file could not be read at all (missing, a directory, a FIFO, no permission)
};

// Problems of one kind (repeated blocks, sub-blocks whose line count is wrong) listed one by
// one before the rest are summed up in one more problem; so a report stays short whatever the
// file holds.
constexpr size_t kMetafileProblemsOfAKind = 10;

struct MetafileProblem {
    int line = 0;     // the line it concerns, from 1
    std::string text; // what is wrong, in words ("Mission File" texts, see metafile_problem_text.h)
};

struct MetafileReport {
    MetafileReadResult result = MetafileReadResult::Clean;
    FileFailure failure;                   // Unreadable: why
    std::vector<MetafileProblem> problems; // Damaged, Stopped: every problem found, in line order
    bool read_anything = false;            // at least one block was begun

    bool clean() const { return result == MetafileReadResult::Clean; }
    // Something was read that a user may still want to open (Damaged, or Stopped after a block).
    bool partlyReadable() const {
        return result == MetafileReadResult::Damaged ||
               (result == MetafileReadResult::Stopped && read_anything);
    }
};

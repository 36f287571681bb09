#pragma once
// The consistency checks of the metafile reader (internal to the mission library): while the
// parser reads, it tells the tally which numbered blocks begin where, what the count lines
// declare and how many lines each trigger and action sub-block holds; after the read the tally
// turns what disagrees into problems. Files the writer produces never disagree.

#include "mission/metafile_report.h"

#include <cstdint>
#include <vector>

// The numbered block kinds whose numbers are checked.
enum class MetafileBlock { Item, Event, Waypoint, Group, WavList, Layer, AreaTrigger, Count };

class MetafileTally {
  public:
    MetafileTally();

    // A "begin" line of a numbered block.
    void blockBegun(MetafileBlock kind, int32_t number, int line);
    // The "num_items" (kind Item) or "num_events" (kind Event) line.
    void countDeclared(MetafileBlock kind, int32_t value, int line);
    // A trigger or action sub-block of event `event`: its "begin" line, each line in it, its end.
    void subBlockBegun(int32_t event, bool triggers, int32_t declared, int line);
    void subBlockLine() { ++sub_lines_; }
    void subBlockEnded();

    // Appends the problems found to `problems` (not sorted).
    void addProblems(std::vector<MetafileProblem>& problems) const;

  private:
    struct Repeat {
        int32_t number;
        int line;
        int earlier_line;
    };
    struct Kind {
        int first = 0;               // lowest number the page keeps
        int capacity = 0;            // one past the highest
        std::vector<int> line_of;    // line of the first block of each kept number; 0: none
        int outside = 0;             // blocks numbered outside first..capacity-1
        int outside_line = 0;        // line of the first of them
        std::vector<Repeat> repeats; // the first blocks whose number came before
        int repeat_count = 0;        // all of them
        int more_repeats_line = 0;   // line of the first one not kept in `repeats`
        bool counted = false;        // item and event: whether the count line was seen
        int32_t count = 0;
        int count_line = 0;
    };
    struct SubBlockProblem {
        int line;
        int32_t event;
        bool triggers;
        int32_t declared;
        int found;
    };

    void addKindProblems(MetafileBlock block, const Kind& kind, std::vector<MetafileProblem>& problems) const;
    void addCountProblems(MetafileBlock block, const Kind& kind,
                          std::vector<MetafileProblem>& problems) const;

    Kind kinds_[static_cast<int>(MetafileBlock::Count)];
    std::vector<SubBlockProblem> sub_problems_; // the first ones
    int sub_problem_count_ = 0;
    int more_sub_problems_line_ = 0;
    bool in_sub_ = false;
    SubBlockProblem sub_{};
    int sub_lines_ = 0;
};

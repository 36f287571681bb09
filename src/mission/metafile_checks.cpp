#include "mission/metafile_checks.h"

#include "mission/metafile_problem_text.h"
#include "mission/mission_page.h"

#include <algorithm>

namespace {

struct KindInfo {
    const char* block;     // the block's word in the file
    int first;             // lowest number the page keeps
    int capacity;          // one past the highest
    const char* count_key; // the general information line that gives the count, or null
};

constexpr KindInfo kKinds[] = {
    {"item", 0, kMaxItems, "num_items"},         {"event", 0, kMaxEvents, "num_events"},
    {"waypoint", 1, kMaxWaypointLists, nullptr}, {"group", 1, kMaxGroups, nullptr},
    {"wav_list", 1, kMaxWavLists, nullptr},      {"layer", 0, kMaxLayers, nullptr},
    {"areatrig", 1, kMaxAreaTriggers, nullptr},
};
static_assert(std::size(kKinds) == static_cast<size_t>(MetafileBlock::Count));

const KindInfo& infoOf(MetafileBlock block) {
    return kKinds[static_cast<int>(block)];
}

void add(std::vector<MetafileProblem>& problems, int line, std::string text) {
    problems.push_back({line, std::move(text)});
}

constexpr size_t kRangesShown = 8;

} // namespace

MetafileTally::MetafileTally() {
    for (int i = 0; i < static_cast<int>(MetafileBlock::Count); ++i) {
        kinds_[i].first = kKinds[i].first;
        kinds_[i].capacity = kKinds[i].capacity;
        kinds_[i].line_of.assign(static_cast<size_t>(kKinds[i].capacity), 0);
    }
}

void MetafileTally::blockBegun(MetafileBlock block, int32_t number, int line) {
    Kind& kind = kinds_[static_cast<int>(block)];
    if (number < kind.first || number >= kind.capacity) {
        if (kind.outside++ == 0) kind.outside_line = line;
        return;
    }
    int& first_line = kind.line_of[static_cast<size_t>(number)];
    if (first_line == 0) {
        first_line = line;
        return;
    }
    if (kind.repeats.size() < kMetafileProblemsOfAKind)
        kind.repeats.push_back({number, line, first_line});
    else if (kind.more_repeats_line == 0)
        kind.more_repeats_line = line;
    ++kind.repeat_count;
}

void MetafileTally::countDeclared(MetafileBlock block, int32_t value, int line) {
    Kind& kind = kinds_[static_cast<int>(block)];
    kind.counted = true;
    kind.count = value;
    kind.count_line = line;
}

void MetafileTally::subBlockBegun(int32_t event, bool triggers, int32_t declared, int line) {
    in_sub_ = true;
    sub_ = {line, event, triggers, declared, 0};
    sub_lines_ = 0;
}

void MetafileTally::subBlockEnded() {
    if (!in_sub_) return;
    in_sub_ = false;
    const int capacity = sub_.triggers ? kMaxTriggers : kMaxActions;
    if (sub_.declared >= 0 && sub_.declared <= capacity && sub_.declared == sub_lines_) return;
    sub_.found = sub_lines_;
    if (sub_problems_.size() < kMetafileProblemsOfAKind)
        sub_problems_.push_back(sub_);
    else if (more_sub_problems_line_ == 0)
        more_sub_problems_line_ = sub_.line;
    ++sub_problem_count_;
}

void MetafileTally::addCountProblems(MetafileBlock block, const Kind& kind,
                                     std::vector<MetafileProblem>& problems) const {
    const KindInfo& info = infoOf(block);
    if (!kind.counted) {
        int line = 0;
        for (int block_line : kind.line_of)
            if (block_line != 0 && (line == 0 || block_line < line)) line = block_line;
        if (line != 0)
            add(problems, line, metafile_Text("COUNT_MISSING", {line, info.block, info.count_key}));
        return;
    }
    if (kind.count < 0)
        add(problems, kind.count_line,
            metafile_Text("COUNT_NEGATIVE", {kind.count_line, info.count_key, kind.count}));
    if (kind.count > kind.capacity)
        add(problems, kind.count_line,
            metafile_Text("COUNT_TOO_LARGE", {kind.count_line, info.count_key, kind.count, kind.capacity}));
    const int counted = std::clamp(kind.count, 0, kind.capacity);
    std::vector<int> missing;
    std::vector<int> beyond;
    int beyond_line = 0;
    for (int number = 0; number < kind.capacity; ++number) {
        const int line = kind.line_of[static_cast<size_t>(number)];
        if (number < counted && line == 0) missing.push_back(number);
        if (number >= counted && line != 0) {
            beyond.push_back(number);
            if (beyond_line == 0 || line < beyond_line) beyond_line = line;
        }
    }
    if (!missing.empty())
        add(problems, kind.count_line,
            metafile_Text("BLOCKS_MISSING", {kind.count_line, info.count_key, kind.count, info.block,
                                             metafile_NumberRanges(missing, kRangesShown)}));
    if (!beyond.empty())
        add(problems, beyond_line,
            metafile_Text("BLOCKS_BEYOND_COUNT", {beyond_line, info.count_key, kind.count, info.block,
                                                  metafile_NumberRanges(beyond, kRangesShown)}));
}

void MetafileTally::addKindProblems(MetafileBlock block, const Kind& kind,
                                    std::vector<MetafileProblem>& problems) const {
    const KindInfo& info = infoOf(block);
    if (kind.outside > 0)
        add(problems, kind.outside_line,
            metafile_Text("BLOCKS_OUTSIDE",
                          {kind.outside_line, kind.outside, info.block, kind.first, kind.capacity - 1}));
    for (const Repeat& repeat : kind.repeats)
        add(problems, repeat.line,
            metafile_Text("BLOCK_REPEATED", {repeat.line, info.block, repeat.number, repeat.earlier_line}));
    const int more = kind.repeat_count - static_cast<int>(kind.repeats.size());
    if (more > 0)
        add(problems, kind.more_repeats_line,
            metafile_Text("MORE_LIKE_THIS", {kind.more_repeats_line, more}));
    if (info.count_key != nullptr) addCountProblems(block, kind, problems);
}

void MetafileTally::addProblems(std::vector<MetafileProblem>& problems) const {
    for (int i = 0; i < static_cast<int>(MetafileBlock::Count); ++i)
        addKindProblems(static_cast<MetafileBlock>(i), kinds_[i], problems);
    for (const SubBlockProblem& sub : sub_problems_) {
        const int capacity = sub.triggers ? kMaxTriggers : kMaxActions;
        const char* name = sub.triggers ? "triggers" : "actions";
        if (sub.declared > capacity)
            add(problems, sub.line,
                metafile_Text("SUBBLOCK_TOO_LARGE", {sub.line, sub.event, name, sub.declared, capacity}));
        else
            add(problems, sub.line,
                metafile_Text("SUBBLOCK_COUNT", {sub.line, sub.event, name, sub.declared, sub.found}));
    }
    const int more = sub_problem_count_ - static_cast<int>(sub_problems_.size());
    if (more > 0)
        add(problems, more_sub_problems_line_,
            metafile_Text("MORE_LIKE_THIS", {more_sub_problems_line_, more}));
}

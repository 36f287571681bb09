#include "mission/metafile_problem_text.h"

#include "foundation/text_source.h"
#include "gamedata/string_table.h"

#include <cstring>
#include <string_view>

namespace {

struct KnownText {
    const char* key;
    const char* english;
};

constexpr const char* kSection = "Mission File";

// The English form of every "Mission File" text, used when the string table lacks the key.
constexpr KnownText kEnglish[] = {
    {"UNCLOSED_BLOCK", "Line %i: the block that begins here is not closed before the end of the file."},
    {"NUL_BYTES", "Line %i: the file holds NUL bytes here (on %i lines in all)."},
    {"COUNT_NEGATIVE", "Line %i: %s is %i, which is below 0."},
    {"COUNT_TOO_LARGE", "Line %i: %s is %i, but a page holds at most %i."},
    {"BLOCKS_MISSING", "Line %i: %s is %i, but there is no %s block for %s."},
    {"COUNT_MISSING", "Line %i: there are %s blocks, but no %s line, so they are left out."},
    {"BLOCKS_BEYOND_COUNT", "Line %i: %s is %i, so the %s blocks for %s are left out."},
    {"BLOCKS_OUTSIDE", "Line %i: %i %s blocks are numbered outside %i to %i and are left out."},
    {"BLOCK_REPEATED", "Line %i: %s block %i repeats the block of line %i and overwrites it."},
    {"SUBBLOCK_COUNT", "Line %i: event %i says begin %s %i, but %i lines follow."},
    {"SUBBLOCK_TOO_LARGE", "Line %i: event %i says begin %s %i, but an event holds at most %i."},
    {"MORE_LIKE_THIS", "Line %i: %i more problems like the one before."},
    {"MORE_PROBLEMS", "... and %i more problems."},
    {"LIST_CUT", "%s, ... (%i in all)"},
    {"DAMAGED", "The mission file %s is damaged."},
    {"OPEN_DAMAGED", "The mission file %s is damaged. Open what could be read?"},
};

const char* englishOf(std::string_view key) {
    for (const KnownText& known : kEnglish)
        if (key == known.key) return known.english;
    return "%s";
}

} // namespace

std::string metafile_Text(const char* key, std::initializer_list<FmtArg> args) {
    return fmt_Format(text_GetOr(kSection, key, englishOf(key)), args);
}

std::string metafile_NumberRanges(const std::vector<int>& sorted_numbers, size_t max_ranges) {
    std::string text;
    size_t ranges = 0;
    for (size_t i = 0; i < sorted_numbers.size();) {
        size_t last = i;
        while (last + 1 < sorted_numbers.size() && sorted_numbers[last + 1] == sorted_numbers[last] + 1)
            ++last;
        if (ranges == max_ranges)
            return metafile_Text("LIST_CUT", {text, static_cast<int>(sorted_numbers.size())});
        if (!text.empty()) text += ", ";
        text += std::to_string(sorted_numbers[i]);
        if (last > i) {
            text += '-';
            text += std::to_string(sorted_numbers[last]);
        }
        ++ranges;
        i = last + 1;
    }
    return text;
}

std::string metafile_ProblemList(const MetafileReport& report, size_t max_lines) {
    std::string text;
    const size_t shown = report.problems.size() < max_lines ? report.problems.size() : max_lines;
    for (size_t i = 0; i < shown; ++i) {
        if (!text.empty()) text += '\n';
        text += report.problems[i].text;
    }
    if (shown < report.problems.size()) {
        text += '\n';
        text += metafile_Text("MORE_PROBLEMS", {static_cast<int>(report.problems.size() - shown)});
    }
    return text;
}

MetafileReadMessage metafile_ReadMessage(const MetafileReport& report, const std::string& path, bool asking) {
    MetafileReadMessage message;
    message.caption = TextLookup("Dialog Message", "ASCII_PARSE");
    if (report.result == MetafileReadResult::Unreadable) {
        message.text = file_ReadFailureText(path.c_str(), report.failure);
        return message;
    }
    message.text = metafile_ProblemList(report, kMetafileMessageMaxProblems);
    if (!message.text.empty()) message.text += '\n';
    message.text += metafile_Text(asking ? "OPEN_DAMAGED" : "DAMAGED", {path});
    return message;
}

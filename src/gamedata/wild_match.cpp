#include "gamedata/name_lists.h"

#include "gamedata/wild_match_core.h"

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool charMatches(char pattern, char text, bool extended) {
    if (pattern == '?') return true;
    if (extended && pattern == '#') return isDigit(text);
    if (extended && pattern == '@') return isLetter(text);
    return lowerAscii(pattern) == lowerAscii(text);
}

} // namespace

// Greedy matching with one backtracking point: the most recent run wildcard takes one more
// character whenever the rest fails. A later run wildcard makes earlier ones irrelevant, so this
// is exact, and it takes time proportional to text length times pattern length at worst. "+" is
// one character followed by a run.
int wild_MatchCore(const char* text, const char* pattern, bool extended) {
    if (text == nullptr || pattern == nullptr) return 0;
    const char* t = text;
    const char* p = pattern;
    const char* retry_pattern = nullptr;
    const char* retry_text = nullptr;
    while (*t != '\0') {
        if (*p == '*') {
            retry_pattern = ++p;
            retry_text = t;
        } else if (extended && *p == '+') {
            retry_pattern = ++p;
            retry_text = ++t;
        } else if (*p != '\0' && charMatches(*p, *t, extended)) {
            ++p;
            ++t;
        } else if (retry_pattern != nullptr) {
            p = retry_pattern;
            t = ++retry_text;
        } else {
            return 0;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0' ? 1 : 0;
}

int wild_Match(const char* text, const char* pattern) {
    return wild_MatchCore(text, pattern, true);
}

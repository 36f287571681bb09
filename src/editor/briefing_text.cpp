#include "editor/briefing_text.h"

namespace {

// The break starting at `at`: its form, and its length in bytes (0 when no break starts there).
size_t breakAt(std::string_view text, size_t at, BriefingBreak& form) {
    if (text[at] == '\n') {
        form = BriefingBreak::Lf;
        return 1;
    }
    if (text[at] != '\r') return 0;
    if (at + 1 < text.size() && text[at + 1] == '\n') {
        form = BriefingBreak::CrLf;
        return 2;
    }
    form = BriefingBreak::Cr;
    return 1;
}

} // namespace

BriefingBreak briefing_BreakForm(std::string_view stored) {
    bool seen[3] = {false, false, false};
    BriefingBreak firstOneByte = BriefingBreak::CrLf;
    bool haveOneByte = false;
    for (size_t at = 0; at < stored.size();) {
        BriefingBreak form{};
        const size_t length = breakAt(stored, at, form);
        if (length == 0) {
            ++at;
            continue;
        }
        seen[static_cast<int>(form)] = true;
        if (form != BriefingBreak::CrLf && !haveOneByte) {
            firstOneByte = form;
            haveOneByte = true;
        }
        at += length;
    }
    const int kinds = int{seen[0]} + int{seen[1]} + int{seen[2]};
    if (kinds == 0) return BriefingBreak::CrLf;
    if (kinds == 1) return seen[0] ? BriefingBreak::CrLf : seen[1] ? BriefingBreak::Lf : BriefingBreak::Cr;
    return firstOneByte;
}

std::string_view briefing_BreakBytes(BriefingBreak form) {
    switch (form) {
    case BriefingBreak::Lf:
        return "\n";
    case BriefingBreak::Cr:
        return "\r";
    case BriefingBreak::CrLf:
        break;
    }
    return "\r\n";
}

std::string briefing_Shown(std::string_view stored) {
    std::string shown;
    shown.reserve(stored.size());
    for (size_t at = 0; at < stored.size();) {
        BriefingBreak form{};
        const size_t length = breakAt(stored, at, form);
        if (length == 0) {
            shown += stored[at++];
            continue;
        }
        shown += '\n';
        at += length;
    }
    return shown;
}

std::string briefing_Stored(std::string_view shown, BriefingBreak form) {
    const std::string_view lineBreak = briefing_BreakBytes(form);
    std::string stored;
    stored.reserve(shown.size() + shown.size() / 2);
    for (const char c : shown) {
        const std::string_view piece = c == '\n' ? lineBreak : std::string_view(&c, 1);
        if (stored.size() + piece.size() > kBriefingMaxBytes) break;
        stored += piece;
    }
    return stored;
}

size_t briefing_StoredLength(size_t characters, size_t breaks, BriefingBreak form) {
    return characters + breaks * (briefing_BreakBytes(form).size() - 1);
}

#pragma once
// The briefing's line breaks and its limit, as the briefing dialog edits them.
//
// A stored briefing keeps its line breaks in one of three forms: CR LF (as the game's own text box
// gives them and as saved missions carry them), a bare LF (as other tools write them) or a bare
// CR. The dialog shows each break as one line break and stores the text back with the form the
// briefing already had, so a briefing that nobody edits keeps its bytes and its length.

#include <cstddef>
#include <string>
#include <string_view>

// Bytes a briefing may hold (the field's size less its terminating zero).
inline constexpr size_t kBriefingMaxBytes = 255;

enum class BriefingBreak { CrLf, Lf, Cr };

// The form in which `stored` keeps its breaks: the form of its breaks when they all agree; for a
// briefing that mixes forms, the first one-byte form it uses (so that storing it again never
// makes it longer); CR LF for a briefing without any break.
BriefingBreak briefing_BreakForm(std::string_view stored);

// The bytes of one break in `form`: "\r\n", "\n" or "\r".
std::string_view briefing_BreakBytes(BriefingBreak form);

// `stored` with every break (CR LF, lone CR, lone LF) as one '\n'; other bytes unchanged.
std::string briefing_Shown(std::string_view stored);

// `shown` with every '\n' as a break in `form`, cut to kBriefingMaxBytes without splitting a
// break (the dialog never hands over more than fits; the cut is a last resort).
std::string briefing_Stored(std::string_view shown, BriefingBreak form);

// The bytes a shown text of `characters` characters, `breaks` of them line breaks, takes when
// stored with `form`.
size_t briefing_StoredLength(size_t characters, size_t breaks, BriefingBreak form);

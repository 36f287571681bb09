// The briefing's line-break forms: which form a stored briefing uses, and that showing and
// storing again gives back the same bytes.

#include "editor/briefing_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(BriefingBreakForm, IsTheFormEveryBreakShares) {
    EXPECT_EQ(briefing_BreakForm("one\r\ntwo\r\n"), BriefingBreak::CrLf);
    EXPECT_EQ(briefing_BreakForm("one\ntwo\n"), BriefingBreak::Lf);
    EXPECT_EQ(briefing_BreakForm("one\rtwo"), BriefingBreak::Cr);
}

TEST(BriefingBreakForm, IsCrLfWithoutAnyBreak) {
    EXPECT_EQ(briefing_BreakForm(""), BriefingBreak::CrLf);
    EXPECT_EQ(briefing_BreakForm("no breaks at all"), BriefingBreak::CrLf);
}

TEST(BriefingBreakForm, MixedFormsTakeTheFirstOneByteForm) {
    EXPECT_EQ(briefing_BreakForm("a\r\nb\nc\rd"), BriefingBreak::Lf);
    EXPECT_EQ(briefing_BreakForm("a\r\nb\rc\nd"), BriefingBreak::Cr);
    // A CR before a CR LF is a break of its own.
    EXPECT_EQ(briefing_BreakForm("a\r\r\nb"), BriefingBreak::Cr);
}

TEST(BriefingText, ShowsEveryBreakAsOneLineFeed) {
    EXPECT_EQ(briefing_Shown("Go\r\nnorth\nnow\rquick\r"), "Go\nnorth\nnow\nquick\n");
    EXPECT_EQ(briefing_Shown("\r\r\n\n"), "\n\n\n");
}

TEST(BriefingText, StoringWhatWasShownGivesBackTheBytes) {
    for (const std::string& stored :
         {std::string("a\r\nb\r\n"), std::string("a\nb\n\n"), std::string("\ra\rb"), std::string(255, 'x'),
          std::string(127, 'y') + std::string(64, '\n')}) {
        const BriefingBreak form = briefing_BreakForm(stored);
        EXPECT_EQ(briefing_Stored(briefing_Shown(stored), form), stored) << stored;
    }
}

TEST(BriefingText, AStoredBriefingNeverGrowsWhenStoredAgain) {
    // Mixed forms are stored in a one-byte form, so 255 bytes stay within 255.
    std::string mixed;
    while (mixed.size() + 5 <= kBriefingMaxBytes)
        mixed += "a\r\n";
    mixed += "b\n";
    ASSERT_LE(mixed.size(), kBriefingMaxBytes);
    const BriefingBreak form = briefing_BreakForm(mixed);
    const std::string shown = briefing_Shown(mixed);
    const size_t breaks = static_cast<size_t>(std::count(shown.begin(), shown.end(), '\n'));
    EXPECT_LE(briefing_StoredLength(shown.size(), breaks, form), mixed.size());
    EXPECT_EQ(briefing_Stored(shown, form).size(), briefing_StoredLength(shown.size(), breaks, form));
}

TEST(BriefingText, StoringCutsAtTheLimitWithoutHalfABreak) {
    const std::string shown = std::string(254, 'x') + "\nrest";
    EXPECT_EQ(briefing_Stored(shown, BriefingBreak::CrLf), std::string(254, 'x'));
    EXPECT_EQ(briefing_Stored(shown, BriefingBreak::Lf), std::string(254, 'x') + "\n");
    EXPECT_EQ(briefing_StoredLength(10, 3, BriefingBreak::CrLf), 13u);
    EXPECT_EQ(briefing_StoredLength(10, 3, BriefingBreak::Cr), 10u);
}

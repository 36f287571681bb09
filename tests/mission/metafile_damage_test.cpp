// Damaged metafiles, read through the bytes entry: what the writer produces reads clean, and
// every way a file can disagree with itself is reported with its line, while the page holds
// what the reader read.
#include "metafile_test_util.h"
#include "mission/metafile_problem_text.h"
#include "support/captured_messages.h"
#include "support/random_page.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>

namespace {

const std::string kGoldenDir = std::string(QZ_TESTS_DIR) + "/mission/metafile";

std::string header(int items, int events = 0) {
    return "begin general_information\n  num_items " + std::to_string(items) + "\n  num_events " +
           std::to_string(events) + "\nend general_information\n\n";
}

std::string item(int slot, int type = kTestJeepType) {
    return "begin item " + std::to_string(slot) + "\n  id " + std::to_string(slot + 1) + "\n  type_id " +
           std::to_string(type) + "\n  position 0 0 0\nend item\n\n";
}

class MetafileDamage : public ::testing::Test {
  protected:
    void SetUp() override { test_LoadItemDefs(); }

    MetafileReadResult read(const std::string& text) {
        return metafile_ReadBytes(*page, text.data(), text.size(), &report);
    }
    // All problem texts, one a line.
    std::string problems() const { return metafile_ProblemList(report, 1000); }

    std::unique_ptr<MissionPage> page = std::make_unique<MissionPage>();
    MetafileReport report;
    CapturedMessages messages;
};

} // namespace

TEST_F(MetafileDamage, WhatTheWriterProducesReadsClean) {
    for (uint32_t seed : {3u, 4u, 5u}) {
        auto written = std::make_unique<MissionPage>();
        RandomPageOptions options;
        options.items = seed == 5u ? kMaxItems : 300;
        options.events = seed == 4u ? kMaxEvents : 20;
        options.full_events = seed == 4u;
        test_FillRandomPage(*written, seed, options);
        EXPECT_EQ(read(formatPage(*written)), MetafileReadResult::Clean) << seed << "\n" << problems();
        EXPECT_EQ(test_SavedFieldsDiff(*written, *page), "");
    }
    for (const char* name : {"current_form", "older_form", "crlf_and_case", "empty_file"}) {
        EXPECT_EQ(read(test_ReadFile(kGoldenDir + "/" + name + "/input.mis")), MetafileReadResult::Clean)
            << name << "\n"
            << problems();
    }
    EXPECT_TRUE(messages.messages.empty()) << "the bytes entry shows nothing";
}

TEST_F(MetafileDamage, AFileCutAfterAnEndLineMissesItsLastItems) {
    const std::string whole = header(6) + item(0) + item(1) + item(2) + item(3) + item(4) + item(5);
    const std::string cut = whole.substr(0, whole.find("begin item 3"));
    EXPECT_EQ(read(cut), MetafileReadResult::Damaged);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].line, 2) << "the num_items line";
    EXPECT_EQ(report.problems[0].text, "Line 2: num_items is 6, but there is no item block for 3-5.");
    EXPECT_EQ(page->num_items, 6) << "read as the reader reads it";
    EXPECT_EQ(page->items[2].type_id, kTestJeepType);
}

TEST_F(MetafileDamage, AZeroedTailIsReported) {
    const std::string whole = header(3) + item(0) + item(1) + item(2);
    std::string zeroed = whole;
    const size_t from = whole.find("begin item 1");
    std::fill(zeroed.begin() + static_cast<long>(from), zeroed.end(), '\0');
    EXPECT_EQ(read(zeroed), MetafileReadResult::Damaged);
    const std::string text = problems();
    EXPECT_NE(text.find("Line 2: num_items is 3, but there is no item block for 1-2."), std::string::npos)
        << text;
    EXPECT_NE(text.find("the file holds NUL bytes here (on 1 lines in all)"), std::string::npos) << text;
    // Zeroed inside a block: that block is not closed either.
    std::string inside = whole;
    std::fill(inside.begin() + static_cast<long>(whole.find("  type_id", from)), inside.end(), '\0');
    EXPECT_EQ(read(inside), MetafileReadResult::Stopped);
    EXPECT_NE(problems().find("Line 12: the block that begins here is not closed"), std::string::npos)
        << problems();
}

TEST_F(MetafileDamage, CountsThatCannotBeRight) {
    EXPECT_EQ(read(header(-4) + item(0)), MetafileReadResult::Damaged);
    EXPECT_EQ(problems(), "Line 2: num_items is -4, which is below 0.\n"
                          "Line 6: num_items is -4, so the item blocks for 0 are left out.");
    EXPECT_EQ(page->num_items, 0);

    // More items than a page holds: the number the file gives is named.
    std::string huge = header(1000000);
    for (int slot = 0; slot < kMaxItems + 3; ++slot)
        huge += item(slot);
    EXPECT_EQ(read(huge), MetafileReadResult::Damaged);
    EXPECT_NE(problems().find("Line 2: num_items is 1000000, but a page holds at most 5000."),
              std::string::npos);
    EXPECT_NE(problems().find("3 item blocks are numbered outside 0 to 4999 and are left out."),
              std::string::npos);
    EXPECT_EQ(page->num_items, kMaxItems);

    EXPECT_EQ(read(item(0) + item(1)), MetafileReadResult::Damaged);
    EXPECT_EQ(problems(), "Line 1: there are item blocks, but no num_items line, so they are left out.");
}

TEST_F(MetafileDamage, RepeatedAndStrayBlockNumbers) {
    EXPECT_EQ(read(header(3) + item(0) + item(1) + item(1, kTestTreeType) + item(-2) + item(5000)),
              MetafileReadResult::Damaged);
    EXPECT_EQ(problems(), "Line 2: num_items is 3, but there is no item block for 2.\n"
                          "Line 18: item block 1 repeats the block of line 12 and overwrites it.\n"
                          "Line 24: 2 item blocks are numbered outside 0 to 4999 and are left out.");
    EXPECT_EQ(page->items[1].type_id, kTestTreeType) << "read as the reader reads it: the later block";

    std::string many = header(1);
    for (int i = 0; i < 30; ++i)
        many += item(0);
    read(many);
    EXPECT_EQ(report.problems.size(), kMetafileProblemsOfAKind + 1) << problems();
    EXPECT_NE(problems().find("19 more problems like the one before."), std::string::npos);

    read("begin waypoint 0\nend waypoint\nbegin group 64\nend group\nbegin layer 3\nend layer\n"
         "begin layer 3\nend layer\n");
    EXPECT_EQ(problems(), "Line 1: 1 waypoint blocks are numbered outside 1 to 127 and are left out.\n"
                          "Line 3: 1 group blocks are numbered outside 1 to 63 and are left out.\n"
                          "Line 7: layer block 3 repeats the block of line 5 and overwrites it.");
}

TEST_F(MetafileDamage, EventsAndTheirTriggerAndActionLines) {
    const std::string event0 = "begin event 0\n  begin triggers 2\n    1 2 3 4 5 6 7 8\n  end triggers\n"
                               "  begin actions 1\n    1 2 3 4 5 6 7 8\n  end actions\nend event\n";
    EXPECT_EQ(read(header(0, 2) + event0), MetafileReadResult::Damaged);
    EXPECT_EQ(problems(), "Line 3: num_events is 2, but there is no event block for 1.\n"
                          "Line 7: event 0 says begin triggers 2, but 1 lines follow.");
    std::string twelve = "begin event 0\n  begin triggers 12\n";
    for (int i = 0; i < 12; ++i)
        twelve += "    1 0 0 0 0 0 0 0\n";
    EXPECT_EQ(read(header(0, 1) + twelve + "  end triggers\nend event\n"), MetafileReadResult::Damaged);
    EXPECT_EQ(problems(), "Line 7: event 0 says begin triggers 12, but an event holds at most 10.");
    EXPECT_EQ(page->events[0].trigger_count, kMaxTriggers);
}

TEST_F(MetafileDamage, NumbersBeyond32BitsAreClampedNotWrapped) {
    EXPECT_EQ(read(header(1) + "begin item 0\n  type_id 3\n  position 99999999999999999999 -2147483649 "
                               "2147483648\n  team -2147483649\n  fov 4294967297\n  alert_state nan\n"
                               "  layer inf\nend item\n"),
              MetafileReadResult::Clean)
        << problems();
    const MissionItem& clamped = page->items[0];
    EXPECT_EQ(clamped.position[0], INT32_MAX);
    EXPECT_EQ(clamped.position[1], INT32_MIN);
    EXPECT_EQ(clamped.position[2], INT32_MAX);
    EXPECT_EQ(clamped.team, INT32_MIN);
    EXPECT_EQ(clamped.fov, INT32_MAX);
    EXPECT_EQ(clamped.alert_state, 0) << "no digits: 0";
    EXPECT_EQ(clamped.layer, 0);
    // A block number beyond 32 bits is held to the largest and so lies past the page.
    EXPECT_EQ(read(header(1) + item(0) + "begin item 4294967296\nend item\n"), MetafileReadResult::Damaged);
    EXPECT_NE(problems().find("1 item blocks are numbered outside"), std::string::npos);
}

TEST_F(MetafileDamage, RejectedLinesStopTheReadAndAreQuotedReadably) {
    EXPECT_EQ(read(header(2) + item(0) + "begin item 1\n  wobble \x01\x02 " + std::string(300, 'w') +
                   "\nend item\n"),
              MetafileReadResult::Stopped);
    EXPECT_TRUE(report.read_anything);
    EXPECT_TRUE(report.partlyReadable());
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].line, 13);
    EXPECT_EQ(report.problems[0].text.rfind("Line 13:   wobble \\x01\\x02 www", 0), 0u)
        << report.problems[0].text;
    EXPECT_LT(report.problems[0].text.size(), 120u) << "the line is cut";
    EXPECT_EQ(page->items[0].type_id, kTestJeepType) << "what came before the line";
    EXPECT_TRUE(messages.messages.empty());

    // Something that is no mission at all: nothing could be read.
    const std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    EXPECT_EQ(read(png), MetafileReadResult::Stopped);
    EXPECT_FALSE(report.partlyReadable());
    EXPECT_EQ(report.problems[0].text.rfind("Line 1: \\x89PNG", 0), 0u) << report.problems[0].text;
}

TEST_F(MetafileDamage, FilesThatAreNoFilesAreUnreadable) {
    TempDir dir;
    page->num_items = 3;
    EXPECT_EQ(metafile_Read(*page, dir.path().c_str(), &report), MetafileReadResult::Unreadable);
    EXPECT_EQ(report.failure.error, EISDIR);
    EXPECT_EQ(page->num_items, 0);
    const std::string fifo = dir.path("pipe.mis");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(metafile_Read(*page, fifo.c_str(), &report), MetafileReadResult::Unreadable);
    EXPECT_EQ(report.failure.kind, FileFailure::Kind::NotRegular);
    const MetafileReadMessage message = metafile_ReadMessage(report, fifo, false);
    EXPECT_EQ(message.text, "The file " + fifo + " could not be read.\nReason: Not a regular file");
}

TEST_F(MetafileDamage, TheMessageNamesTheFileAndKeepsToADozenProblems) {
    std::string text = header(40);
    for (int slot = 0; slot < 40; slot += 2)
        text += item(slot) + item(slot);
    read(text + "begin waypoint 0\nend waypoint\nbegin group 99\nend group\nbegin layer 20\nend layer\n");
    ASSERT_EQ(report.problems.size(), kMetafileMessageMaxProblems + 3);
    const MetafileReadMessage told = metafile_ReadMessage(report, "/m/x.mis", false);
    const MetafileReadMessage asked = metafile_ReadMessage(report, "/m/x.mis", true);
    EXPECT_NE(told.text.find("\n... and "), std::string::npos) << told.text;
    EXPECT_EQ(std::count(told.text.begin(), told.text.end(), '\n'),
              static_cast<long>(kMetafileMessageMaxProblems) + 1);
    EXPECT_EQ(told.text.substr(told.text.rfind('\n') + 1), "The mission file /m/x.mis is damaged.");
    EXPECT_EQ(asked.text.substr(asked.text.rfind('\n') + 1),
              "The mission file /m/x.mis is damaged. Open what could be read?");
}

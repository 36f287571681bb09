// The writer against the independent reference implementation tests/mission/metafile_reference.py.
#include "metafile_test_util.h"
#include "mission/page_json.h"
#include "support/random_page.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kReference = std::string(QZ_TESTS_DIR) + "/mission/metafile_reference.py";
const char* kTestTimeOption = " --time 7,4,2001,9,5";

bool havePython() {
    return test_Run(pythonCommand() + " -c pass").status == 0;
}

class MetafileReference : public ::testing::TestWithParam<uint32_t> {
  protected:
    void SetUp() override {
        if (!havePython()) GTEST_SKIP() << "python3 is not available";
        test_LoadItemDefs();
    }

    // The reference's file for `page`, from its JSON dump.
    std::string referenceFile(const MissionPage& page) {
        std::string json;
        page_WriteJson(page, json);
        const std::string json_path = dir.write("page.json", json);
        const std::string out = dir.path("reference.mis");
        const CommandResult result =
            test_Run(pythonCommand() + " " + test_Quote(kReference) + " write " + test_Quote(json_path) +
                     " " + test_Quote(out) + kTestTimeOption);
        EXPECT_EQ(result.status, 0);
        return test_ReadFile(out);
    }

    TempDir dir;
};

TEST_P(MetafileReference, RandomPageIsWrittenAlike) {
    RandomPageOptions options;
    options.items = 1500;
    options.events = 80;
    auto page = std::make_unique<MissionPage>();
    test_FillRandomPage(*page, GetParam(), options);
    const std::string reference = referenceFile(*page);
    EXPECT_EQ(firstDifference(formatPage(*page), reference), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, MetafileReference, ::testing::Values(11u, 12u, 13u));

TEST_F(MetafileReference, TextsTheFormatCannotCarryAreWrittenAlike) {
    auto page = std::make_unique<MissionPage>();
    test_FillRandomPage(*page, 77, RandomPageOptions{});
    std::strcpy(page->general.name, "\"quoted\"\nand fed");
    std::strcpy(page->general.terrain, "two words");
    std::strcpy(page->general.cnv_file, "ends\r");
    std::strcpy(page->general.tt_file, "q\"t");
    std::memset(page->waypoints[9].description, 'w', kWaypointDescSize - 1);
    std::strcpy(page->groups[3].description, "line\nfeed \"and\" quote");
    std::strcpy(page->briefing, "brief \"x\"\r\nnext|bar");
    page->num_events = 2;
    page->events[1].trigger_count = 99;
    page->events[1].action_count = -1;
    const std::string reference = referenceFile(*page);
    EXPECT_EQ(firstDifference(formatPage(*page), reference), "");
}

TEST_F(MetafileReference, GoldenExpectationsAreTheReferenceResave) {
    const std::string golden = std::string(QZ_TESTS_DIR) + "/mission/metafile";
    for (const char* name :
         {"current_form", "older_form", "crlf_and_case", "sparse_slots", "out_of_range", "empty_file"}) {
        const std::string out = dir.path(std::string(name) + ".mis");
        const CommandResult result =
            test_Run(pythonCommand() + " " + test_Quote(kReference) + " resave " +
                     test_Quote(golden + "/" + name + "/input.mis") + " " + test_Quote(out) +
                     kTestTimeOption + " --defs " + test_ItemDefsAsList());
        ASSERT_EQ(result.status, 0) << name;
        EXPECT_EQ(firstDifference(test_ReadFile(out), test_ReadFile(golden + "/" + name + "/expected.mis")),
                  "")
            << name;
    }
}

} // namespace

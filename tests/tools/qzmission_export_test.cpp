// qzmission export, report and check: the binary missions and reports of random metafiles must
// agree byte for byte with the independent reference (tests/mission/bms_reference.py).
#include "mission/metafile_writer.h"
#include "mission/page_checks.h"
#include "mission/page_ops.h"
#include "support/problem_page.h"
#include "support/random_page.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"
#include "support/test_texts.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <unistd.h>

namespace {

const std::string kQzmission = QZ_QZMISSION;
const std::string kQzdata = QZ_QZDATA;
const std::string kReference = std::string(QZ_TESTS_DIR) + "/mission/bms_reference.py";
const std::string kGolden = std::string(QZ_TESTS_DIR) + "/mission/metafile";
const std::string kDemoTexts = std::string(QZ_SOURCE_DIR) + "/demo/text/text.txt";
const std::string kDemoNames = std::string(QZ_SOURCE_DIR) + "/demo/text/qz2wpn.txt";
const std::string kFixedTime = "SOURCE_DATE_EPOCH=1000000000 TZ=UTC ";

const char kSunsets[] =
    "begin clear\r\n  id 0\r\n  skygrad noon\r\n  clouds light\r\n  skyheight 1236\r\n"
    "  horizon 1.0\r\n  gamma 128\r\n  sat 128\r\n  r 255\r\n  g 250\r\n  b 245\r\nend\r\n"
    "begin dusk\r\n  id 7\r\n  skygrad dusk.bmp\r\n  clouds heavy\r\n  skyheight 900\r\n"
    "  horizon 0.75\r\n  gamma 100\r\n  sat 90\r\n  r 200\r\n  g 120\r\n  b 60\r\nend\r\n";

std::string python() {
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3 " : "python3 ";
}

// Trigger and action codes mostly inside the catalogue, so that every sentence form is printed,
// and headings of either sign beyond a full turn.
void varyForExport(MissionPage& page, uint32_t seed) {
    std::mt19937 random(seed);
    auto range = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < page.num_items; ++i)
        if (range(0, 2) == 0) page.items[i].facing[0] = range(-1000, 1000);
    for (int e = 0; e < page.num_events; ++e) {
        MissionEvent& event = page.events[e];
        for (int t = 0; t < event.trigger_count; ++t) {
            int32_t* v = event.triggers[t].value;
            v[0] = range(0, 7);
            v[1] = range(0, 6);
            v[2] = range(-1, 14);
            for (int k = 3; k < 6; ++k)
                v[k] = range(-2, 130);
        }
        for (int a = 0; a < event.action_count; ++a) {
            int32_t* v = event.actions[a].value;
            v[1] = range(-1, 19);
            v[2] = range(-1, 20);
            v[3] = range(0, 99);
            v[4] = range(0, 3) == 0 ? range(-5, 400) : range(0, 2);
        }
    }
}

class QzmissionExport : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test_Run(python() + "-c pass").status != 0) GTEST_SKIP() << "python3 is not available";
        test_LoadItemDefs();
        ASSERT_EQ(0, test_Run(test_Quote(kQzdata) + " strtab-build " + test_Quote(kDemoTexts) + " " +
                              test_Quote(game.path("text.bin")))
                         .status);
        ASSERT_EQ(0, test_Run(test_Quote(kQzdata) + " strtab-build " + test_Quote(kDemoNames) + " " +
                              test_Quote(game.path("qz2wpn.bin")))
                         .status);
        game.write("items.def", test_ItemDefsFileText());
        game.write("sunsets.def", kSunsets);
    }

    // The tool with the fixed date; standard error goes to stderr.txt.
    CommandResult tool(const std::string& args) {
        return test_Run(kFixedTime + test_Quote(kQzmission) + " --game " + test_Quote(game.path()) + " " +
                        args + " 2>" + test_Quote(work.path("stderr.txt")));
    }

    CommandResult reference(const std::string& args) {
        return test_Run(kFixedTime + python() + test_Quote(kReference) + " " + args + " --texts " +
                        test_Quote(kDemoTexts) + " --items " + test_Quote(game.path("items.def")) +
                        " --sunsets " + test_Quote(game.path("sunsets.def")) + " 2>" +
                        test_Quote(work.path("reference_stderr.txt")));
    }

    std::string writeRandomMission(uint32_t seed, int items, int events) {
        auto page = std::make_unique<MissionPage>();
        RandomPageOptions options;
        options.items = items;
        options.events = events;
        test_FillRandomPage(*page, seed, options);
        varyForExport(*page, seed);
        if (seed % 2 == 0) page->general.sunset = 7;
        const std::string path = work.path("random" + std::to_string(seed) + ".mis");
        EXPECT_TRUE(metafile_Write(*page, path.c_str()));
        return path;
    }

    // `options` go before the subcommand ("--open-damaged " for the damaged inputs, whose message
    // comes before the warnings).
    void expectExportAsReference(const std::string& mission, const std::string& options = "") {
        const std::string out = work.path("tool.bms");
        const std::string expected = work.path("reference.bms");
        ASSERT_EQ(0, tool(options + "export " + test_Quote(mission) + " " + test_Quote(out)).status)
            << test_ReadFile(work.path("stderr.txt"));
        ASSERT_EQ(0, reference("export " + test_Quote(mission) + " " + test_Quote(expected)).status)
            << test_ReadFile(work.path("reference_stderr.txt"));
        const std::vector<uint8_t> written = test_ReadBytes(out);
        ASSERT_GT(written.size(), 520u);
        EXPECT_TRUE(written == test_ReadBytes(expected)) << mission;
        // The category warnings, in their order and with their numbers.
        std::string warnings = test_ReadFile(work.path("stderr.txt"));
        const size_t damaged = warnings.find(" is damaged.\n");
        EXPECT_EQ(damaged != std::string::npos, !options.empty());
        if (damaged != std::string::npos) warnings.erase(0, damaged + std::strlen(" is damaged.\n"));
        EXPECT_EQ(test_ReadFile(work.path("reference_stderr.txt")), warnings);
    }

    // `report` is "groups", "events", "event 3" and so on.
    void expectReportAsReference(const std::string& report, const std::string& mission) {
        const std::string out = work.path("tool.txt");
        const std::string expected = work.path("reference.txt");
        ASSERT_EQ(0, tool("report " + report + " " + test_Quote(mission) + " " + test_Quote(out)).status)
            << test_ReadFile(work.path("stderr.txt"));
        ASSERT_EQ(0, reference("report " + report + " " + test_Quote(mission) + " " + test_Quote(expected) +
                               " --mission-file " + test_Quote(mission))
                         .status)
            << test_ReadFile(work.path("reference_stderr.txt"));
        const std::string written = test_ReadFile(out);
        ASSERT_FALSE(written.empty());
        EXPECT_TRUE(written == test_ReadFile(expected)) << report << " of " << mission;
    }

    TempDir game;
    TempDir work;
};

TEST_F(QzmissionExport, RandomMissionsExportAsTheReference) {
    // 2,500 items hold more people and markers than the file takes: both warn and cut.
    expectExportAsReference(writeRandomMission(31, 2500, 60));
    EXPECT_NE(std::string::npos, test_ReadFile(work.path("stderr.txt")).find("512"));
    expectExportAsReference(writeRandomMission(32, 900, 256));
}

TEST_F(QzmissionExport, GoldenMissionsExportAsTheReference) {
    for (const char* name : {"current_form", "older_form", "crlf_and_case", "empty_file"}) {
        SCOPED_TRACE(name);
        expectExportAsReference(kGolden + "/" + name + "/input.mis");
    }
    // Their blocks disagree with their counts: exported only when asked to use what was read.
    for (const char* name : {"sparse_slots", "out_of_range"}) {
        SCOPED_TRACE(name);
        const std::string mission = kGolden + "/" + name + "/input.mis";
        EXPECT_EQ(1, tool("export " + test_Quote(mission) + " " + test_Quote(work.path("o.bms"))).status);
        expectExportAsReference(mission, "--open-damaged ");
    }
}

TEST_F(QzmissionExport, RandomMissionReportsAgreeWithTheReference) {
    for (uint32_t seed : {41u, 42u}) {
        const std::string mission = writeRandomMission(seed, seed == 41u ? 2000 : 600, 40);
        for (const char* report : {"groups", "areas", "waypoints", "events", "event 0", "event 39"})
            expectReportAsReference(report, mission);
    }
}

TEST_F(QzmissionExport, ReportsCarryTheMissionPathAndTheDate) {
    const std::string mission = writeRandomMission(43, 50, 3);
    const std::string out = work.path("groups.txt");
    ASSERT_EQ(0, tool("report groups " + test_Quote(mission) + " " + test_Quote(out)).status);
    const std::string text = test_ReadFile(out);
    EXPECT_NE(std::string::npos, text.find(mission)) << text;
    EXPECT_NE(std::string::npos, text.find("9/9/2001")) << text; // SOURCE_DATE_EPOCH 1000000000, UTC
}

TEST_F(QzmissionExport, FailedWritesKeepThePreviousFile) {
    const std::string mission = writeRandomMission(44, 100, 5);
    // A directory in place of the output: the temporary file cannot replace it.
    const std::string blocked = work.path("blocked.bms");
    ASSERT_EQ(0, test_Run("mkdir " + test_Quote(blocked)).status);
    EXPECT_EQ(1, tool("export " + test_Quote(mission) + " " + test_Quote(blocked)).status);
    EXPECT_NE(std::string::npos, test_ReadFile(work.path("stderr.txt")).find(blocked));

    const std::string missing = work.path("no/such/folder/out.txt");
    EXPECT_EQ(1, tool("report events " + test_Quote(mission) + " " + test_Quote(missing)).status);
    EXPECT_NE(std::string::npos, test_ReadFile(work.path("stderr.txt")).find(missing));

    const std::string previous = work.write("previous.txt", "earlier report");
    EXPECT_EQ(2, tool("report event 5 " + test_Quote(mission) + " " + test_Quote(previous)).status);
    EXPECT_EQ("earlier report", test_ReadFile(previous)) << "an event that does not exist writes nothing";
}

TEST_F(QzmissionExport, UsageAndMissingInputs) {
    const std::string mission = writeRandomMission(45, 10, 1);
    EXPECT_EQ(2, tool("export " + test_Quote(mission)).status);
    EXPECT_EQ(2,
              tool("report everything " + test_Quote(mission) + " " + test_Quote(work.path("o.txt"))).status);
    EXPECT_EQ(2, tool("report event x " + test_Quote(mission) + " " + test_Quote(work.path("o.txt"))).status);
    EXPECT_EQ(2, tool("check").status);
    EXPECT_EQ(
        1,
        tool("export " + test_Quote(work.path("absent.mis")) + " " + test_Quote(work.path("o.bms"))).status);
    EXPECT_EQ(1, tool("check " + test_Quote(work.path("absent.mis"))).status);

    TempDir noTexts;
    noTexts.write("qz2wpn.bin", test_ReadBytes(game.path("qz2wpn.bin")));
    EXPECT_EQ(2, test_Run(test_Quote(kQzmission) + " --game " + test_Quote(noTexts.path()) + " check " +
                          test_Quote(mission) + " 2>/dev/null")
                     .status);
    TempDir noNames;
    noNames.write("text.bin", test_ReadBytes(game.path("text.bin")));
    const CommandResult result =
        test_Run(test_Quote(kQzmission) + " --game " + test_Quote(noNames.path()) + " export " +
                 test_Quote(mission) + " " + test_Quote(work.path("o.bms")) + " 2>&1");
    EXPECT_EQ(2, result.status);
    EXPECT_NE(std::string::npos, result.output.find("Warning: Unable to load file qz2wpn.bin"));
}

TEST_F(QzmissionExport, CheckListsUnknownItemsAndLimitWarnings) {
    auto page = std::make_unique<MissionPage>();
    RandomPageOptions options;
    options.items = 1500;
    options.events = 0;
    test_FillRandomPage(*page, 46, options);
    std::vector<int> unknown;
    for (int i = 0; i < page->num_items; ++i)
        if (page->items[i].type_id == kTestUnknownType) unknown.push_back(i);
    ASSERT_FALSE(unknown.empty());
    const std::string mission = work.path("check.mis");
    ASSERT_TRUE(metafile_Write(*page, mission.c_str()));

    const CommandResult result = tool("check " + test_Quote(mission));
    EXPECT_EQ(3, result.status);
    // The unknown items, one line for their type, with every slot.
    std::string slots;
    for (int slot : unknown)
        slots += (slots.empty() ? "" : ", ") + std::to_string(slot);
    EXPECT_NE(std::string::npos, result.output.find("error unknown-item-type: Items of type 999 (" +
                                                    std::to_string(unknown.size()) + " on the page)"))
        << result.output;
    EXPECT_NE(std::string::npos, result.output.find("[items " + slots.substr(0, slots.find(','))))
        << result.output;
    // Over 256 people among 1,500 random items: the export's own warning, as a problem.
    EXPECT_NE(std::string::npos, result.output.find("error export-too-many-people: ")) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("only 256")) << result.output;
    EXPECT_EQ("", test_ReadFile(work.path("stderr.txt")));

    // Items of the first definition (Soldier) are known; a clean mission passes.
    page_Clear(*page);
    page->num_items = 2;
    page->items[0].type_id = kTestSoldierType;
    page->items[0].id = 1;
    page->items[1].type_id = kWaypointMarkerType;
    page->items[1].id = 2;
    page->items[1].waypoint_id = 1; // a marker of no list would be a problem of its own
    ASSERT_TRUE(metafile_Write(*page, mission.c_str()));
    const CommandResult clean = tool("check " + test_Quote(mission));
    EXPECT_EQ(0, clean.status) << clean.output;
    EXPECT_EQ("Problems: 0 (errors: 0, warnings: 0)\n", clean.output);
    EXPECT_EQ("", test_ReadFile(work.path("stderr.txt")));
    const CommandResult cleanJson = tool("check --json " + test_Quote(mission));
    EXPECT_EQ(0, cleanJson.status);
    EXPECT_TRUE(nlohmann::json::parse(cleanJson.output)["problems"].empty()) << cleanJson.output;
}

TEST_F(QzmissionExport, CheckJsonListsOneProblemOfEachKind) {
    auto page = std::make_unique<MissionPage>();
    test_FillPageWithEveryProblem(*page);
    const std::string mission = work.path("every problem.mis");
    ASSERT_TRUE(metafile_Write(*page, mission.c_str()));
    // The sentences the tool prints, made here with the same texts.
    const StringTable* before = TextLookup_Table();
    static const StringTable* texts = test_BuildTable(test_ReadFile(kDemoTexts));
    TextLookup_SetTable(texts);
    const std::vector<PageProblem> expected = page_CheckProblems(*page);
    std::string listed;
    for (const PageProblem& e : expected)
        listed += problem_Line(e) + "\n";
    TextLookup_SetTable(before);

    const CommandResult result = tool("check " + test_Quote(mission) + " --json");
    EXPECT_EQ(3, result.status);
    const nlohmann::json document = nlohmann::json::parse(result.output);
    EXPECT_EQ(mission, document["mission"]);
    const nlohmann::json& problems = document["problems"];
    ASSERT_EQ(expected.size(), problems.size()) << result.output;
    std::set<std::string> codes;
    for (size_t i = 0; i < problems.size(); ++i) {
        const nlohmann::json& p = problems[i];
        const PageProblem& e = expected[i];
        codes.insert(p["code"].get<std::string>());
        EXPECT_EQ(problem_CodeName(e.code), p["code"]);
        EXPECT_EQ(problem_SeverityName(e.severity), p["severity"]);
        EXPECT_FALSE(p["message"].get<std::string>().empty());
        EXPECT_EQ(e.items, p["items"].get<std::vector<int>>()) << p["code"];
        EXPECT_EQ(e.waypoint_lists, p["waypoint_lists"].get<std::vector<int>>()) << p["code"];
        EXPECT_EQ(e.groups, p["groups"].get<std::vector<int>>()) << p["code"];
        EXPECT_EQ(e.area_triggers, p["area_triggers"].get<std::vector<int>>()) << p["code"];
        EXPECT_EQ(e.wav_lists, p["wav_lists"].get<std::vector<int>>()) << p["code"];
        EXPECT_EQ(e.events, p["events"].get<std::vector<int>>()) << p["code"];
    }
    EXPECT_EQ(static_cast<size_t>(kProblemCodeCount), codes.size()) << result.output;

    // The lines of the plain form are the same problems in the same order.
    const CommandResult lines = tool("check " + test_Quote(mission));
    EXPECT_EQ(3, lines.status);
    EXPECT_EQ(0u, lines.output.find(listed)) << lines.output;
}

TEST_F(QzmissionExport, CheckJsonKeepsEightBitTexts) {
    auto page = std::make_unique<MissionPage>();
    test_FillPageWithEveryProblem(*page);
    std::strcpy(page->events[1].name, "Caf\xe9");
    const std::string mission = work.path("cafe.mis");
    ASSERT_TRUE(metafile_Write(*page, mission.c_str()));
    const CommandResult result = tool("check --json " + test_Quote(mission));
    const nlohmann::json document = nlohmann::json::parse(result.output);
    bool found = false;
    for (const nlohmann::json& p : document["problems"])
        if (p["message"].get<std::string>().find("Caf\xc3\xa9") != std::string::npos) found = true;
    EXPECT_TRUE(found) << result.output;
}

TEST_F(QzmissionExport, CheckRefusesTwoMissions) {
    const std::string mission = writeRandomMission(47, 10, 1);
    EXPECT_EQ(2, tool("check " + test_Quote(mission) + " " + test_Quote(mission)).status);
    EXPECT_EQ(2, tool("check --json").status);
}

} // namespace

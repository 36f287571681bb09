// qzmission resave and info: the tool opens a metafile as the editor does and saves it again;
// the result must agree byte for byte with the independent reference (metafile_reference.py).
#include "gamedata/string_table_writer.h"
#include "mission/metafile_writer.h"
#include "support/random_page.h"
#include "support/temp_dir.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

const std::string kQzmission = QZ_QZMISSION;
const std::string kReference = std::string(QZ_TESTS_DIR) + "/mission/metafile_reference.py";
const std::string kGolden = std::string(QZ_TESTS_DIR) + "/mission/metafile";
const std::string kFixedTime = "SOURCE_DATE_EPOCH=1000000000 TZ=UTC ";

// The system interpreter when present: it starts much faster than wrappers found first on PATH.
std::string python() {
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3 " : "python3 ";
}

void writeTable(const TempDir& dir, const char* name, const std::string& source) {
    StrtabSource parsed;
    std::string error;
    ASSERT_TRUE(strtab_ParseSource(source, parsed, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(strtab_Build(parsed, bytes, &error)) << error;
    dir.write(name, bytes);
}

class QzmissionResave : public ::testing::Test {
  protected:
    void SetUp() override {
        if (test_Run(python() + "-c pass").status != 0) GTEST_SKIP() << "python3 is not available";
        test_LoadItemDefs();
        writeTable(
            game, "text.bin",
            "[Players]\nBLUEPLAYERS=Blue side\nREDPLAYERS=Red side\n"
            "[Dialog Message]\nWARNING=Warning\nASCII_PARSE=Parse error\nBAD_LINE_NUMBER=Bad line %i: %s\n"
            "[File I/O]\nCANT_WRITE_FILE=Cannot write %s\n");
        writeTable(game, "qz2wpn.bin", "[WPNames]\nSTRWPNAME000=Alpha\n");
        game.write("items.def", test_ItemDefsFileText());
    }

    CommandResult tool(const std::string& args) {
        return test_Run(kFixedTime + test_Quote(kQzmission) + " --game " + test_Quote(game.path()) + " " +
                        args + " 2>" + test_Quote(work.path("stderr.txt")));
    }

    // The reference's resave of `input`, as the tool's current page sees it.
    std::string referenceResave(const std::string& input) {
        const std::string out = work.path("reference.mis");
        const CommandResult result =
            test_Run(kFixedTime + python() + test_Quote(kReference) + " resave " + test_Quote(input) + " " +
                     test_Quote(out) + " --epoch 1000000000 --defs " + test_ItemDefsAsList() +
                     " --blue 'Blue side' --red 'Red side'");
        EXPECT_EQ(result.status, 0);
        return test_ReadFile(out);
    }

    // `options` go before the subcommand ("--open-damaged " for the damaged inputs).
    void expectSameAsReference(const std::string& input, const std::string& options = "") {
        const std::string out = work.path("tool.mis");
        ASSERT_EQ(tool(options + "resave " + test_Quote(input) + " " + test_Quote(out)).status, 0)
            << test_ReadFile(work.path("stderr.txt"));
        const std::string written = test_ReadFile(out);
        ASSERT_FALSE(written.empty());
        EXPECT_TRUE(written == referenceResave(input)) << input;
    }

    TempDir game;
    TempDir work;
};

TEST_F(QzmissionResave, RandomMissionsAgreeWithTheReference) {
    for (uint32_t seed : {21u, 22u}) {
        auto page = std::make_unique<MissionPage>();
        RandomPageOptions options;
        options.items = 800;
        options.events = 30;
        test_FillRandomPage(*page, seed, options);
        if (seed == 22u) page->groups[1].description[0] = '\0'; // takes the default name on opening
        const std::string input = work.path("random.mis");
        ASSERT_TRUE(metafile_Write(*page, input.c_str()));
        expectSameAsReference(input);
    }
}

TEST_F(QzmissionResave, GoldenInputsAgreeWithTheReference) {
    for (const char* name : {"current_form", "older_form", "crlf_and_case", "empty_file"})
        expectSameAsReference(kGolden + "/" + name + "/input.mis");
    // Their blocks disagree with their counts: refused, and read as the reader reads them when
    // the user asks for what could be read.
    for (const char* name : {"sparse_slots", "out_of_range"}) {
        const std::string input = kGolden + "/" + name + "/input.mis";
        EXPECT_EQ(tool("resave " + test_Quote(input) + " " + test_Quote(work.path("o.mis"))).status, 1)
            << name;
        expectSameAsReference(input, "--open-damaged ");
    }
}

TEST_F(QzmissionResave, OpeningGivesTheCurrentPageTheDefaultGroupNames) {
    const std::string out = work.path("out.mis");
    ASSERT_EQ(tool("resave " + test_Quote(kGolden + "/empty_file/input.mis") + " " + test_Quote(out)).status,
              0);
    const std::string text = test_ReadFile(out);
    EXPECT_NE(text.find("begin group 1\n  description \"Blue side\"\nend group\n"), std::string::npos);
    EXPECT_NE(text.find("begin group 2\n  description \"Red side\"\nend group\n"), std::string::npos);
    EXPECT_EQ(text.rfind("// mission metafile, saved on 9/9/2001, 1:46\n", 0), 0u);
}

TEST_F(QzmissionResave, FailuresAndTheirExitStatus) {
    const std::string input = kGolden + "/current_form/input.mis";
    EXPECT_EQ(
        tool("resave " + test_Quote(work.path("absent.mis")) + " " + test_Quote(work.path("o.mis"))).status,
        1);
    EXPECT_EQ(tool("resave " + test_Quote(input)).status, 2);
    const std::string bad = work.write("bad.mis", "begin item 0\n  nonsense 1\nend item\n");
    EXPECT_EQ(tool("resave " + test_Quote(bad) + " " + test_Quote(work.path("o.mis"))).status, 1);
    EXPECT_NE(test_ReadFile(work.path("stderr.txt")).find("Parse error: Bad line 2:   nonsense 1"),
              std::string::npos);

    EXPECT_EQ(tool("resave " + test_Quote(input) + " " + test_Quote(work.path("no/such/dir/o.mis"))).status,
              1);
    EXPECT_NE(test_ReadFile(work.path("stderr.txt")).find("Warning: Cannot write"), std::string::npos);

    TempDir empty_game;
    EXPECT_EQ(test_Run(test_Quote(kQzmission) + " --game " + test_Quote(empty_game.path()) + " resave " +
                       test_Quote(input) + " " + test_Quote(work.path("o.mis")) + " 2>/dev/null")
                  .status,
              2)
        << "text.bin is required";
}

TEST_F(QzmissionResave, InfoSummarisesTheMission) {
    const CommandResult result = tool("info " + test_Quote(kGolden + "/current_form/input.mis"));
    ASSERT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("name: Operation Dawn, part 2\n"), std::string::npos);
    EXPECT_NE(result.output.find(
                  "items: 6 (vehicles 1, decorations 0, people 1, markers 3, buildings 0, objects 0, "
                  "effects 0, other 1)\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("events: 3 (triggers 2, actions 3)\n"), std::string::npos);
    EXPECT_NE(result.output.find("waypoint lists: 2\n"), std::string::npos);
}

TEST_F(QzmissionResave, InfoJsonFeedsTheReferenceWriter) {
    const std::string input = kGolden + "/older_form/input.mis";
    const CommandResult json = tool("info " + test_Quote(input) + " --json");
    ASSERT_EQ(json.status, 0);
    const std::string json_path = work.write("page.json", json.output);
    const std::string out = work.path("from_json.mis");
    ASSERT_EQ(test_Run(kFixedTime + python() + test_Quote(kReference) + " write " + test_Quote(json_path) +
                       " " + test_Quote(out))
                  .status,
              0);
    EXPECT_TRUE(test_ReadFile(out) == referenceResave(input));
}

} // namespace

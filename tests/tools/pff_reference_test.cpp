// qzdata's archive commands against an independent Python implementation of the archive format
// (tests/gamedata/pff_reference.py), in both directions.
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

namespace {
const std::string kReference = std::string(QZ_TESTS_DIR) + "/gamedata/pff_reference.py";
const std::string kQzdata = QZ_QZDATA;

CommandResult python(const std::string& arguments) {
    return test_Run("python3 " + test_Quote(kReference) + " " + arguments);
}

CommandResult qzdata(const std::string& arguments) {
    return test_Run(test_Quote(kQzdata) + " " + arguments + " 2>/dev/null");
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

bool pythonAvailable() {
    return test_Run("python3 -c 'import struct' 2>/dev/null").status == 0;
}
} // namespace

TEST(PffReference, QzdataReadsRandomArchivesLikeTheReference) {
    if (!pythonAvailable()) GTEST_SKIP() << "python3 not installed";
    TempDir dir;
    int entriesChecked = 0;
    int missingChecked = 0;
    for (int seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::string archive = dir.path("gen" + std::to_string(seed) + ".pff");
        CommandResult generated = python("gen " + std::to_string(seed) + " " + test_Quote(archive));
        ASSERT_EQ(generated.status, 0);
        std::vector<std::string> names = lines(generated.output);

        CommandResult expectedList = python("list " + test_Quote(archive));
        CommandResult list = qzdata("pff-list " + test_Quote(archive));
        ASSERT_EQ(expectedList.status, 0);
        ASSERT_EQ(list.status, 0);
        EXPECT_EQ(list.output, expectedList.output);

        // Every name, and each in the other letter case, plus one that is surely absent.
        std::vector<std::string> queries;
        for (const std::string& name : names) {
            queries.push_back(name);
            std::string flipped = name;
            for (char& c : flipped)
                c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                                  : std::toupper(c));
            queries.push_back(flipped);
        }
        queries.push_back("no such entry");
        std::string expectedDir = dir.path("expected" + std::to_string(seed));
        std::filesystem::create_directories(expectedDir);
        std::string queryFile = dir.write("queries" + std::to_string(seed) + ".txt", [&] {
            std::string text;
            for (const std::string& query : queries)
                text += query + "\n";
            return text;
        }());
        ASSERT_EQ(python("extract-all " + test_Quote(archive) + " " + test_Quote(expectedDir) + " < " +
                         test_Quote(queryFile))
                      .status,
                  0);

        for (size_t i = 0; i < queries.size(); ++i) {
            std::string expected = expectedDir + "/" + std::to_string(i) + ".bin";
            std::string out = dir.path("out.bin");
            std::filesystem::remove(out);
            CommandResult extract = qzdata("pff-extract " + test_Quote(archive) + " " +
                                           test_Quote(queries[i]) + " " + test_Quote(out));
            bool present = std::filesystem::exists(expected);
            EXPECT_EQ(extract.status, present ? 0 : 1) << queries[i];
            if (present) {
                EXPECT_EQ(test_ReadBytes(out), test_ReadBytes(expected)) << queries[i];
                ++entriesChecked;
            } else {
                EXPECT_FALSE(std::filesystem::exists(out)) << queries[i];
                ++missingChecked;
            }
        }
    }
    EXPECT_GT(entriesChecked, 60);
    EXPECT_GT(missingChecked, 8);
}

TEST(PffReference, ReferenceReadsArchivesPackedByQzdata) {
    if (!pythonAvailable()) GTEST_SKIP() << "python3 not installed";
    TempDir dir;
    std::mt19937 random(2024);
    const std::string nameChars = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.";
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string folder = "in" + std::to_string(round) + "/";
        std::vector<std::string> names;
        std::vector<std::vector<uint8_t>> contents;
        std::string command = "pff-pack " + test_Quote(dir.path("packed.pff"));
        int count = static_cast<int>(random() % 12) + 1;
        int scrambleFrom = static_cast<int>(random() % (count + 1));
        for (int i = 0; i < count; ++i) {
            // Distinct names (a number prefix), up to 16 characters.
            std::string name = std::to_string(i) + "_";
            size_t length = name.size() + random() % (17 - name.size());
            while (name.size() < length)
                name += nameChars[random() % nameChars.size()];
            std::vector<uint8_t> data(random() % 3 == 0 ? random() % 40000 : random() % 300);
            for (uint8_t& b : data)
                b = static_cast<uint8_t>(random());
            std::string path = dir.write(folder + name, data);
            if (i == scrambleFrom) command += " --scramble";
            command += " " + test_Quote(path);
            names.push_back(name);
            contents.push_back(data);
        }
        ASSERT_EQ(qzdata(command).status, 0);

        std::string archive = test_Quote(dir.path("packed.pff"));
        std::vector<std::string> listed = lines(python("list " + archive).output);
        ASSERT_EQ(listed.size(), names.size());
        std::string queries;
        for (const std::string& name : names)
            queries += name + "\n";
        std::string outDir = dir.path("ref" + std::to_string(round));
        std::filesystem::create_directories(outDir);
        std::string queryFile = dir.write("names" + std::to_string(round) + ".txt", queries);
        ASSERT_EQ(python("extract-all " + archive + " " + test_Quote(outDir) + " < " + test_Quote(queryFile))
                      .status,
                  0);
        for (int i = 0; i < count; ++i) {
            std::string kind = i >= scrambleFrom ? "scrambled" : "plain";
            EXPECT_EQ(listed[i], names[i] + "\t" + std::to_string(contents[i].size()) + "\t" + kind);
            EXPECT_EQ(test_ReadBytes(outDir + "/" + std::to_string(i) + ".bin"), contents[i]) << names[i];
        }
    }
}

TEST(PffCommands, UsageAndFailures) {
    TempDir dir;
    EXPECT_EQ(qzdata("pff-list").status, 2);
    EXPECT_EQ(qzdata("pff-extract a.pff").status, 2);
    EXPECT_EQ(qzdata("pff-pack").status, 2);
    EXPECT_EQ(qzdata("pff-list " + test_Quote(dir.path("missing.pff"))).status, 1);
    std::string file = dir.write("this_name_is_far_too_long.txt", "x");
    EXPECT_EQ(qzdata("pff-pack " + test_Quote(dir.path("a.pff")) + " " + test_Quote(file)).status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.path("a.pff")));
    EXPECT_EQ(
        qzdata("pff-pack " + test_Quote(dir.path("a.pff")) + " " + test_Quote(dir.path("nothing"))).status,
        1);
    std::string good = dir.write("ok.txt", "ok");
    ASSERT_EQ(qzdata("pff-pack " + test_Quote(dir.path("b.pff")) + " " + test_Quote(good)).status, 0);
    EXPECT_EQ(qzdata("pff-extract " + test_Quote(dir.path("b.pff")) + " OK.TXT " +
                     test_Quote(dir.path("no/dir/out")))
                  .status,
              1);
    EXPECT_EQ(
        qzdata("pff-extract " + test_Quote(dir.path("b.pff")) + " OK.TXT " + test_Quote(dir.path("out")))
            .status,
        0);
    EXPECT_EQ(test_ReadFile(dir.path("out")), "ok");
}

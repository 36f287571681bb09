// qzdata strtab-build and strtab-dump against the independent Python reference of the format,
// on random sources: repeated sections and keys, escapes, empty texts, 8-bit characters.
#include "gamedata/string_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const std::string kReference = std::string("python3 ") + QZ_TESTS_DIR + "/gamedata/strtab_reference.py";
const std::string kQzdata = QZ_QZDATA;

struct GeneratedKey {
    std::string name;
    std::string text; // unescaped
};
struct GeneratedSection {
    std::string name;
    std::vector<GeneratedKey> keys;
};

class SourceGenerator {
  public:
    explicit SourceGenerator(uint32_t seed) : random_(seed) {}

    std::vector<GeneratedSection> sections() {
        std::vector<GeneratedSection> out(pick(0, 6));
        for (GeneratedSection& section : out) {
            section.name = chance(40)
                               ? pickOf({"Dialog Message", "dialog message", "Teams", "QZ2 Item Names"})
                               : randomText(0, 12, "\n\r");
            const int keys = pick(0, 8);
            for (int k = 0; k < keys; ++k) {
                GeneratedKey key;
                key.name = chance(30) ? pickOf({"NONE", "none", "STRNAME000", "QZMED_TITLE"})
                                      : randomText(0, 10, "=\n\r");
                if (!key.name.empty() && (key.name[0] == '#' || key.name[0] == '[')) key.name[0] = 'K';
                key.text = chance(20) ? std::string() : randomText(0, 40, "");
                section.keys.push_back(key);
            }
        }
        return out;
    }

    // The canonical text source of `sections`, written independently of the library's writer.
    static std::string canonical(const std::vector<GeneratedSection>& sections) {
        std::string out;
        for (size_t s = 0; s < sections.size(); ++s) {
            if (s > 0) out += "\n";
            out += "[" + sections[s].name + "]\n";
            for (const GeneratedKey& key : sections[s].keys) {
                out += key.name + "=";
                for (char c : key.text) {
                    if (c == '\\')
                        out += "\\\\";
                    else if (c == '\n')
                        out += "\\n";
                    else if (c == '\t')
                        out += "\\t";
                    else if (c == '\r')
                        out += "\\r";
                    else
                        out += c;
                }
                out += "\n";
            }
        }
        return out;
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    std::string pickOf(std::initializer_list<const char*> options) {
        return *(options.begin() + pick(0, static_cast<int>(options.size()) - 1));
    }
    std::string randomText(int low, int high, const std::string& excluded) {
        static const std::string kSpecial = "\\\n\t\r=#[] ";
        std::string text;
        const int length = pick(low, high);
        while (static_cast<int>(text.size()) < length) {
            char c;
            const int kind = pick(0, 9);
            if (kind < 6)
                c = static_cast<char>(pick(0x20, 0x7E));
            else if (kind < 8)
                c = kSpecial[static_cast<size_t>(pick(0, static_cast<int>(kSpecial.size()) - 1))];
            else
                c = static_cast<char>(pick(0x80, 0xFF));
            if (excluded.find(c) == std::string::npos) text += c;
        }
        return text;
    }
    std::mt19937 random_;
};

using Query = std::pair<std::string, std::string>;

// Every stored pair, the same in capitals, and names that are absent.
std::vector<Query> queriesFor(const std::vector<GeneratedSection>& sections) {
    auto upper = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return text;
    };
    std::vector<Query> asked;
    for (const GeneratedSection& section : sections) {
        for (const GeneratedKey& key : section.keys) {
            asked.push_back({section.name, key.name});
            asked.push_back({upper(section.name), upper(key.name)});
            asked.push_back({section.name, key.name + "?"});
        }
        asked.push_back({section.name + "?", "NONE"});
    }
    return asked;
}

// One run of the reference serves every case (starting Python is the slow part): the tables are
// built with qzdata first, then the reference builds, dumps and answers lookups for all of them.
TEST(StrtabReference, BuildDumpAndLookupAgreeWithTheReference) {
    constexpr int kCases = 40;
    TempDir dir;
    std::vector<std::string> sources;
    std::vector<std::vector<Query>> queries;
    for (int i = 0; i < kCases; ++i) {
        SourceGenerator generator(static_cast<uint32_t>(i + 1));
        const std::vector<GeneratedSection> sections = generator.sections();
        sources.push_back(SourceGenerator::canonical(sections));
        queries.push_back(queriesFor(sections));
        const std::string n = std::to_string(i);
        const std::string source_path = dir.write("source_" + n + ".txt", sources.back());
        std::string query_bytes;
        for (const auto& [section, key] : queries.back())
            query_bytes += section + '\0' + key + '\0';
        dir.write("queries_" + n + ".bin", query_bytes);
        ASSERT_EQ(test_Run(kQzdata + " strtab-build " + test_Quote(source_path) + " " +
                           test_Quote(dir.path("ours_" + n + ".bin")))
                      .status,
                  0);
    }
    ASSERT_EQ(test_Run(kReference + " batch " + test_Quote(dir.path()) + " " + std::to_string(kCases)).status,
              0);

    for (int i = 0; i < kCases; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const std::string n = std::to_string(i);
        const std::vector<uint8_t> ours = test_ReadBytes(dir.path("ours_" + n + ".bin"));
        ASSERT_EQ(ours, test_ReadBytes(dir.path("theirs_" + n + ".bin"))) << "tables differ";

        const CommandResult dumped =
            test_Run(kQzdata + " strtab-dump " + test_Quote(dir.path("theirs_" + n + ".bin")));
        ASSERT_EQ(dumped.status, 0);
        EXPECT_EQ(dumped.output, sources[i]) << "our dump of the reference's table";
        EXPECT_EQ(test_ReadFile(dir.path("refdump_" + n + ".txt")), sources[i])
            << "reference dump of our table";

        const std::string answers = test_ReadFile(dir.path("answers_" + n + ".bin"));
        StringTable* table = strtab_Open(ours.data(), ours.size());
        ASSERT_NE(table, nullptr);
        size_t at = 0;
        for (const auto& [section, key] : queries[i]) {
            const size_t end = answers.find('\0', at);
            ASSERT_NE(end, std::string::npos);
            const std::string answer = answers.substr(at, end - at);
            at = end + 1;
            const char* text = strtab_FindText(table, section.c_str(), key.c_str());
            if (answer[0] == '0') {
                EXPECT_EQ(text, nullptr) << "[" << section << "] " << key;
            } else {
                ASSERT_NE(text, nullptr) << "[" << section << "] " << key;
                EXPECT_EQ(std::string(text), answer.substr(1)) << "[" << section << "] " << key;
            }
        }
        strtab_Free(table);
    }
}

TEST(StrtabReference, BuildRejectsBadSourcesAndDumpRejectsBadTables) {
    TempDir dir;
    const std::string bad_source = dir.write("bad.txt", "KEY=before any section\n");
    EXPECT_EQ(test_Run(kQzdata + " strtab-build " + test_Quote(bad_source) + " " +
                       test_Quote(dir.path("out.bin")) + " 2>/dev/null")
                  .status,
              1);
    const std::string bad_table =
        dir.write("bad.bin", std::string("\0\0\0\0\xFF\xFF\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(test_Run(kQzdata + " strtab-dump " + test_Quote(bad_table) + " 2>/dev/null").status, 1);
    EXPECT_EQ(test_Run(kQzdata + " strtab-dump 2>/dev/null").status, 2);
}

} // namespace

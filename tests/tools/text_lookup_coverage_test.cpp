// Every interface text the program looks up by a fixed (section, key) pair must exist in the
// demo "text.bin" source, so that no user of the demo ever sees "Bad Texttool String".
//
// The program's sources are scanned for TextLookup, text_Get, shell_Text and lookupText calls
// whose section is a string literal or a named constant of the same file, and whose key is a
// string literal, and for dialogText calls (section "Dialog Message"). Lookups with computed keys
// (menu tables, numbered lists) are checked by the tests of their own modules. Our own texts
// (text_Own, shell_OwnText, ownText with a literal key) must be in the table of our own texts.

#include "gamedata/own_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// (section, key) pairs of a string-table text source, compared without regard to letter case.
std::set<std::pair<std::string, std::string>> demoKeys() {
    std::set<std::pair<std::string, std::string>> keys;
    std::istringstream source(readText(fs::path(QZ_SOURCE_DIR) / "demo/text/text.txt"));
    std::string line, section;
    while (std::getline(source, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[' && line.back() == ']') {
            section = lowerAscii(line.substr(1, line.size() - 2));
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos) keys.insert({section, lowerAscii(line.substr(0, equals))});
    }
    return keys;
}

struct Lookup {
    std::string file;
    std::string section;
    std::string key;
};

std::vector<Lookup> fixedLookups() {
    static const std::regex constant(R"re(\b(k\w+)(?:\[\])?\s*=\s*"([^"]*)")re");
    static const std::regex call(
        R"re(\b(?:TextLookup|text_Get|shell_Text|lookupText)\(\s*("[^"]*"|k\w+)\s*,\s*"([^"]*)"\s*\))re");
    static const std::regex dialogCall(R"re(\bdialogText\(\s*"([^"]*)"\s*\))re");
    std::vector<Lookup> lookups;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(QZ_SOURCE_DIR) / "src")) {
        const fs::path& path = entry.path();
        if (path.extension() != ".cpp" && path.extension() != ".h") continue;
        std::string text = readText(path);
        std::map<std::string, std::string> constants;
        for (std::sregex_iterator it(text.begin(), text.end(), constant), end; it != end; ++it)
            constants[(*it)[1]] = (*it)[2];
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) {
            std::string section = (*it)[1];
            if (section.front() == '"') {
                section = section.substr(1, section.size() - 2);
            } else {
                auto found = constants.find(section);
                if (found == constants.end()) continue; // a constant of another file
                section = found->second;
            }
            lookups.push_back({path.filename().string(), section, (*it)[2]});
        }
        for (std::sregex_iterator it(text.begin(), text.end(), dialogCall), end; it != end; ++it)
            lookups.push_back({path.filename().string(), "Dialog Message", (*it)[1]});
    }
    return lookups;
}

// (file, key) of every own-text lookup with a literal key.
std::vector<std::pair<std::string, std::string>> ownTextLookups() {
    static const std::regex call(R"re(\b(?:text_Own|shell_OwnText|ownText)\(\s*"([^"]*)"\s*\))re");
    std::vector<std::pair<std::string, std::string>> lookups;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(QZ_SOURCE_DIR) / "src")) {
        const fs::path& path = entry.path();
        if (path.extension() != ".cpp" && path.extension() != ".h") continue;
        const std::string text = readText(path);
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
            lookups.push_back({path.filename().string(), (*it)[1]});
    }
    return lookups;
}

} // namespace

TEST(TextLookupCoverage, EveryFixedLookupOfTheProgramIsInTheDemoTable) {
    auto keys = demoKeys();
    ASSERT_FALSE(keys.empty());
    auto lookups = fixedLookups();
    // The program makes dozens of fixed lookups; finding none means the scan itself broke.
    ASSERT_GT(lookups.size(), 20u);
    for (const Lookup& lookup : lookups) {
        EXPECT_TRUE(keys.count({lowerAscii(lookup.section), lowerAscii(lookup.key)}))
            << lookup.file << " looks up [" << lookup.section << "] " << lookup.key
            << ", which demo/text/text.txt lacks";
    }
}

TEST(TextLookupCoverage, EveryOwnTextTheProgramShowsIsInTheOwnTable) {
    std::set<std::string> keys;
    for (const OwnTextDef& def : text_OwnTable()) {
        EXPECT_TRUE(keys.insert(def.key).second) << def.key << " stands twice in the own texts";
        EXPECT_NE(def.text[0], '\0') << def.key;
    }
    const auto lookups = ownTextLookups();
    ASSERT_GT(lookups.size(), 10u); // the dialogs with fixed captions alone make more
    for (const auto& [file, key] : lookups)
        EXPECT_TRUE(keys.count(key)) << file << " shows our own text " << key << ", which the table lacks";
    EXPECT_STREQ(text_Own("NO_SUCH_OWN_TEXT"), "Bad Texttool String");
}

// The interface texts of the demo game (demo/text/text.txt) against their key list
// (demo/text/keys.tsv): every key the program looks up is there once, and every format text takes
// exactly the arguments its users pass.

#include "demo_data_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct ListedKey {
    std::string section;
    std::string key;
    std::string args; // "d,s" ... or "-" for a text that takes none
    int line = 0;
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const std::string::size_type tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::vector<ListedKey> readKeyList() {
    std::vector<ListedKey> keys;
    std::istringstream in(demo_Read("text/keys.tsv"));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> fields = splitTabs(line);
        EXPECT_EQ(fields.size(), 4u) << "keys.tsv line " << number << ": " << line;
        if (fields.size() < 3) continue;
        keys.push_back({fields[0], fields[1], fields[2], number});
    }
    return keys;
}

// The argument types of the printf conversions of `format`, in order, as "d,f,s" ("-" for none):
// d for d/i, f for f/e/g, s for s, c for c. "%%" takes none. Anything else (a "*" width, an
// unknown or unfinished conversion) gives "?" with the reason, so such a text always mismatches.
std::string conversionTypes(const std::string& format) {
    std::string types;
    auto add = [&](char type) {
        if (!types.empty()) types += ',';
        types += type;
    };
    for (std::string::size_type i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        std::string::size_type j = i + 1;
        while (j < format.size() && std::string("-+ #0").find(format[j]) != std::string::npos)
            ++j;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
                ++j;
        }
        if (j < format.size() && (format[j] == 'l' || format[j] == 'h')) ++j;
        if (j >= format.size()) return "? (unfinished conversion)";
        switch (format[j]) {
        case '%':
            if (j != i + 1) return "? (flags on %%)";
            break;
        case 'd':
        case 'i':
            add('d');
            break;
        case 'f':
        case 'e':
        case 'g':
        case 'F':
        case 'E':
        case 'G':
            add('f');
            break;
        case 's':
            add('s');
            break;
        case 'c':
            add('c');
            break;
        default:
            return std::string("? (conversion '") + format[j] + "')";
        }
        i = j;
    }
    return types.empty() ? "-" : types;
}

class DemoText : public ::testing::Test {
  protected:
    DemoTable text{"text/text.txt"};
    std::vector<ListedKey> listed = readKeyList();
};

TEST(DemoTextFormats, ConversionScannerReadsWidthsPrecisionsAndPercentSigns) {
    EXPECT_EQ(conversionTypes("plain"), "-");
    EXPECT_EQ(conversionTypes("%2i - %s"), "d,s");
    EXPECT_EQ(conversionTypes("%.1f cm, %i%%"), "f,d");
    EXPECT_EQ(conversionTypes("%s at %i:%02i"), "s,d,d");
    EXPECT_EQ(conversionTypes("%-8.3ld"), "d");
    EXPECT_EQ(conversionTypes("100%"), "? (unfinished conversion)");
    EXPECT_EQ(conversionTypes("%*d").substr(0, 1), "?");
    EXPECT_EQ(conversionTypes("(%)").substr(0, 1), "?");
}

TEST_F(DemoText, EveryListedKeyIsInTheSourceAndEveryKeyIsListed) {
    ASSERT_FALSE(listed.empty());
    std::set<std::pair<std::string, std::string>> inList;
    for (const ListedKey& k : listed)
        inList.insert({lower(k.section), lower(k.key)});
    std::set<std::pair<std::string, std::string>> inSource;
    for (const StrtabSourceSection& s : text.source().sections)
        for (const StrtabSourceKey& k : s.keys)
            inSource.insert({lower(s.name), lower(k.name)});

    for (const ListedKey& k : listed)
        EXPECT_TRUE(inSource.count({lower(k.section), lower(k.key)}))
            << "keys.tsv line " << k.line << " names [" << k.section << "] " << k.key
            << ", which text.txt lacks";
    for (const StrtabSourceSection& s : text.source().sections)
        for (const StrtabSourceKey& k : s.keys)
            EXPECT_TRUE(inList.count({lower(s.name), lower(k.name)}))
                << "[" << s.name << "] " << k.name << " is not in keys.tsv";
}

TEST_F(DemoText, NoSectionKeyOrListEntryIsRepeated) {
    // Lookups ignore letter case and stop at the first match, so a repeat would hide a text.
    std::set<std::string> sections;
    for (const StrtabSourceSection& s : text.source().sections) {
        EXPECT_TRUE(sections.insert(lower(s.name)).second) << "section repeated: " << s.name;
        std::set<std::string> keys;
        for (const StrtabSourceKey& k : s.keys)
            EXPECT_TRUE(keys.insert(lower(k.name)).second) << "[" << s.name << "] repeats " << k.name;
    }
    std::set<std::pair<std::string, std::string>> entries;
    for (const ListedKey& k : listed)
        EXPECT_TRUE(entries.insert({lower(k.section), lower(k.key)}).second)
            << "keys.tsv line " << k.line << " repeats " << k.key;
}

TEST_F(DemoText, FormatConversionsMatchTheDeclaredArguments) {
    std::map<std::pair<std::string, std::string>, std::string> texts;
    for (const StrtabSourceSection& s : text.source().sections)
        for (const StrtabSourceKey& k : s.keys)
            texts[{lower(s.name), lower(k.name)}] = k.text;
    for (const ListedKey& k : listed) {
        const auto found = texts.find({lower(k.section), lower(k.key)});
        if (found == texts.end()) continue; // reported by the presence test
        EXPECT_EQ(conversionTypes(found->second), k.args)
            << "[" << k.section << "] " << k.key << " = \"" << found->second << "\"";
    }
}

TEST_F(DemoText, BuiltTableAnswersEveryListedLookupWithItsText) {
    ASSERT_NE(text.table(), nullptr);
    for (const ListedKey& k : listed) {
        // The program spells sections and keys in its own letter case; try both spellings.
        for (const std::string& key : {k.key, lower(k.key)}) {
            const char* found = strtab_FindText(text.table(), k.section.c_str(), key.c_str());
            ASSERT_NE(found, nullptr) << "[" << k.section << "] " << key;
            EXPECT_STRNE(found, "") << "[" << k.section << "] " << key << " would show the fallback text";
        }
    }
}

TEST_F(DemoText, TextsThatAreJoinedKeepTheirSeparatingSpaces) {
    // A logic word is appended straight after a trigger sentence, and the team colour word straight
    // after the change-team sentence; an editor that trims line ends or starts would glue them.
    for (const char* word : {"AND", "OR", "XOR"}) {
        const char* found = strtab_FindText(text.table(), "Trigger Logic", word);
        ASSERT_NE(found, nullptr) << word;
        EXPECT_EQ(found[0], ' ') << word;
    }
    const char* team = strtab_FindText(text.table(), "Triggers", "CHANGE_TEAM_STRING");
    ASSERT_NE(team, nullptr);
    const std::string teamText = team;
    ASSERT_FALSE(teamText.empty());
    EXPECT_EQ(teamText.back(), ' ');
}

TEST_F(DemoText, ReportTextsEndTheirOwnLines) {
    // The event and list reports write these texts as they stand, one after another.
    for (const char* key : {"EVENT_HEADER", "EVENT_LIST_HEADER", "EVENT_NUMBER", "RESET_AFTER", "DELAY_EVENT",
                            "PRE_MISSION_EVENT", "POST_MISSION_EVENT", "TRIGGERS", "ACTIONS"}) {
        const char* found = strtab_FindText(text.table(), "Write Event", key);
        ASSERT_NE(found, nullptr) << key;
        EXPECT_EQ(std::string(found).back(), '\n') << key;
    }
    for (const char* key : {"GROUP_LIST_HEADER", "AREATRIGGER_LIST_HEADER", "WAYPOINT_LIST_HEADER"}) {
        const char* found = strtab_FindText(text.table(), "File I/O", key);
        ASSERT_NE(found, nullptr) << key;
        EXPECT_EQ(std::string(found).back(), '\n') << key;
    }
}

TEST_F(DemoText, ChoiceListsThatAreReadBackByTextHaveDistinctEntries) {
    // The weather list is sorted and read back by its text, so two equal texts would lose a value.
    std::set<std::string> weather;
    for (const char* key : {"NICE_DAY", "RAIN", "SNOW"}) {
        const char* found = strtab_FindText(text.table(), "Weather", key);
        ASSERT_NE(found, nullptr) << key;
        EXPECT_TRUE(weather.insert(found).second) << key;
    }
}

} // namespace

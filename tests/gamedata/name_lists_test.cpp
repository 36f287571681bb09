#include "gamedata/name_lists.h"

#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"
#include "gamedata/pff_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> namesOf(const DirList* list) {
    std::vector<std::string> names;
    for (const DirEntry* entry = list ? list->first : nullptr; entry; entry = entry->next)
        names.push_back(entry->name);
    return names;
}

std::vector<std::string> textsOf(const StringList* list) {
    std::vector<std::string> texts;
    for (const StringEntry* entry = list ? list->first : nullptr; entry; entry = entry->next)
        texts.push_back(entry->text);
    return texts;
}

TEST(WildMatch, EveryPatternCharacter) {
    EXPECT_EQ(wild_Match("desert.trn", "*.trn"), 1);
    EXPECT_EQ(wild_Match(".trn", "*.trn"), 1);
    EXPECT_EQ(wild_Match("desert.trnx", "*.trn"), 0);
    EXPECT_EQ(wild_Match("a.trn.trn", "*.trn"), 1);
    EXPECT_EQ(wild_Match("DESERT.TRN", "*.trn"), 1); // letter case ignored
    EXPECT_EQ(wild_Match("x.trn", "+.trn"), 1);
    EXPECT_EQ(wild_Match(".trn", "+.trn"), 0);
    EXPECT_EQ(wild_Match("ab", "a+"), 1);
    EXPECT_EQ(wild_Match("a", "a+"), 0);
    EXPECT_EQ(wild_Match("map1", "map?"), 1);
    EXPECT_EQ(wild_Match("map", "map?"), 0);
    EXPECT_EQ(wild_Match("map12", "map?"), 0);
    EXPECT_EQ(wild_Match("map7", "map#"), 1);
    EXPECT_EQ(wild_Match("mapx", "map#"), 0);
    EXPECT_EQ(wild_Match("map", "map#"), 0);
    EXPECT_EQ(wild_Match("mapQ", "map@"), 1);
    EXPECT_EQ(wild_Match("map1", "map@"), 0);
    EXPECT_EQ(wild_Match("map_", "map@"), 0);
    EXPECT_EQ(wild_Match("", "*"), 1);
    EXPECT_EQ(wild_Match("", ""), 1);
    EXPECT_EQ(wild_Match("a", ""), 0);
    EXPECT_EQ(wild_Match("", "+"), 0);
    EXPECT_EQ(wild_Match("", "?"), 0);
    EXPECT_EQ(wild_Match(nullptr, "*"), 0);
    EXPECT_EQ(wild_Match("a", nullptr), 0);
}

TEST(WildMatch, RunsBacktrack) {
    EXPECT_EQ(wild_Match("abcabd", "*abd"), 1);
    EXPECT_EQ(wild_Match("map12x3", "map*#"), 1);
    EXPECT_EQ(wild_Match("map12x", "map*#"), 0);
    EXPECT_EQ(wild_Match("aXbYbZ", "a+b@"), 1);
    EXPECT_EQ(wild_Match("ab", "a+b"), 0);
    EXPECT_EQ(wild_Match("axxb", "a*+b"), 1);
    EXPECT_EQ(wild_Match("ab", "a*+b"), 0);
    EXPECT_EQ(wild_Match(std::string(200, 'a').c_str(), "*a*a*a*a*a*b"), 0); // no blow-up
}

class DirListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"b.trn", "C.TRN", "a.trn", "B.trn", "desert.trnx", "notes.txt"})
            dir.write(name, std::string(7, 'x'));
        std::filesystem::create_directory(dir.path("maps.trn"));
    }
    std::string pattern(const char* wanted) const { return dir.path() + "/" + wanted; }
    TempDir dir;
};

TEST_F(DirListTest, CaseSensitiveOrderPutsCapitalsFirst) {
    DirList* list = dirlist_Find(pattern("*.trn").c_str(), 0);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"B.trn", "C.TRN", "a.trn", "b.trn", "maps.trn"}));
    EXPECT_EQ(list->count, 5);
    EXPECT_EQ(list->last->name, std::string("maps.trn"));
    EXPECT_EQ(list->last->prev->next, list->last);
    dirlist_Free(list);
}

TEST_F(DirListTest, IgnoringCaseSortsLettersTogether) {
    DirList* list = dirlist_Find(pattern("*.TRN").c_str(), kDirListIgnoreCase);
    std::vector<std::string> names = namesOf(list);
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "a.trn");
    EXPECT_TRUE((names[1] == "B.trn" && names[2] == "b.trn") || (names[1] == "b.trn" && names[2] == "B.trn"));
    EXPECT_EQ(names[3], "C.TRN");
    EXPECT_EQ(names[4], "maps.trn");
    dirlist_Free(list);
}

TEST_F(DirListTest, EntriesCarrySizeTimeAndAttributes) {
    DirList* list = dirlist_Find(pattern("*.trn").c_str(), 0);
    ASSERT_NE(list, nullptr);
    const DirEntry* file = list->first;
    EXPECT_EQ(file->list, list);
    EXPECT_EQ(file->size, 7u);
    EXPECT_EQ(file->attributes & kDirAttrDirectory, 0u);
    EXPECT_GE(file->written.year, 2020);
    EXPECT_GE(file->written.month, 1);
    EXPECT_LE(file->written.month, 12);
    EXPECT_NE(list->last->attributes & kDirAttrDirectory, 0u);
    dirlist_Free(list);
}

TEST_F(DirListTest, PrefixFlagKeepsTheDirectoryOfThePattern) {
    std::string windows = "C:" + dir.path() + "\\*.txt";
    std::replace(windows.begin(), windows.end(), '/', '\\');
    DirList* bare = dirlist_Find(windows.c_str(), 0);
    EXPECT_EQ(namesOf(bare), (std::vector<std::string>{"notes.txt"}));
    DirList* prefixed = dirlist_Find(windows.c_str(), kDirListWithPrefix);
    EXPECT_EQ(namesOf(prefixed),
              (std::vector<std::string>{windows.substr(0, windows.size() - 5) + "notes.txt"}));
    dirlist_Free(bare);
    dirlist_Free(prefixed);
}

TEST_F(DirListTest, DotDotOnlyWithItsFlag) {
    DirList* without = dirlist_Find(pattern("*").c_str(), 0);
    DirList* with = dirlist_Find(pattern("*").c_str(), kDirListKeepDotDot);
    std::vector<std::string> names_without = namesOf(without);
    std::vector<std::string> names_with = namesOf(with);
    EXPECT_EQ(std::count(names_without.begin(), names_without.end(), ".."), 0);
    EXPECT_EQ(std::count(names_without.begin(), names_without.end(), "."), 0);
    EXPECT_EQ(std::count(names_with.begin(), names_with.end(), ".."), 1);
    EXPECT_EQ(std::count(names_with.begin(), names_with.end(), "."), 0);
    EXPECT_EQ(names_with.front(), ".."); // "." sorts before letters
    dirlist_Free(without);
    dirlist_Free(with);
}

TEST_F(DirListTest, NothingMatchingGivesNull) {
    EXPECT_EQ(dirlist_Find(pattern("*.xyz").c_str(), 0), nullptr);
    EXPECT_EQ(dirlist_Find((dir.path() + "/missing/*.trn").c_str(), 0), nullptr);
    EXPECT_EQ(dirlist_Find("", 0), nullptr);
}

TEST(StringList, AppendFindRemoveAndFree) {
    const long before = mem_TrackedCount();
    StringList* list = strlist_New();
    ASSERT_NE(list, nullptr);
    StringEntry* first = strlist_Append(list, "Alpha");
    strlist_Append(list, "beta");
    StringEntry* last = strlist_Append(list, "gamma");
    EXPECT_EQ(strlist_Find(list, "ALPHA"), first);
    EXPECT_EQ(strlist_Find(list, "delta"), nullptr);
    strlist_Remove(first);
    strlist_Remove(last);
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"beta"}));
    EXPECT_EQ(list->count, 1);
    EXPECT_EQ(list->first, list->last);
    strlist_Clear(list);
    EXPECT_EQ(list->count, 0);
    EXPECT_EQ(list->first, nullptr);
    strlist_Append(list, "again");
    strlist_Free(list);
    EXPECT_EQ(mem_TrackedCount(), before);
}

class NameListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        file_ResetState();
        pff_ClearSet();
        for (const char* name : {"DESERT.TRN", "b.trn", "Alpha.trn", "other.txt"})
            dir.write(name, "x");
        ASSERT_TRUE(pff_WriteArchive(
            dir.path("one.pff").c_str(),
            {{"desert.trn", {1}}, {"zeta.trn", {2}}, {"readme.txt", {3}}, {"alpha.TRN", {4}}}));
        ASSERT_TRUE(pff_WriteArchive(dir.path("two.pff").c_str(), {{"Beta.trn", {5}}, {"zeta.trn", {6}}}));
    }
    void TearDown() override {
        pff_ClearSet();
        file_ResetState();
        std::filesystem::current_path(previous_);
    }
    void openArchives() {
        pff_AddToSet(pff_Open(dir.path("one.pff").c_str()));
        pff_AddToSet(pff_Open(dir.path("two.pff").c_str()));
        ASSERT_EQ(file_State().archiveCount, 2);
    }
    TempDir dir;

  private:
    std::filesystem::path previous_;
};

TEST_F(NameListTest, DiskNamesComeFirstThenArchivesEachNameOnce) {
    openArchives();
    file_SetLooseFirst(1);
    StringList* list = namelist_Build("*.trn");
    EXPECT_EQ(textsOf(list),
              (std::vector<std::string>{"alpha.trn", "b.trn", "desert.trn", "zeta.trn", "beta.trn"}));
    strlist_Free(list);
}

TEST_F(NameListTest, DiskIsSkippedWhileArchivesComeFirst) {
    openArchives();
    StringList* list = namelist_Build("*.trn");
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"desert.trn", "zeta.trn", "alpha.trn", "beta.trn"}));
    strlist_Free(list);
}

TEST_F(NameListTest, WithoutArchivesOnlyTheDiskCounts) {
    StringList* list = namelist_Build("*.txt");
    EXPECT_EQ(textsOf(list), (std::vector<std::string>{"other.txt"}));
    strlist_Free(list);
}

TEST_F(NameListTest, NothingAnywhereGivesNull) {
    openArchives();
    file_SetLooseFirst(1);
    const long before = mem_TrackedCount();
    EXPECT_EQ(namelist_Build("*.xyz"), nullptr);
    EXPECT_EQ(mem_TrackedCount(), before);
}

} // namespace

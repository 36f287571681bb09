// Where the file choosers start, which file a name typed into the open chooser means, and the
// whole path of a page's file.

#include "editor/file_paths.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FilePaths, FolderOfAPath) {
    EXPECT_EQ(file_FolderOf("/a/b/c.mis"), "/a/b");
    EXPECT_EQ(file_FolderOf("/c.mis"), "/");
    EXPECT_EQ(file_FolderOf("c.mis"), "");
    EXPECT_EQ(file_FolderOf(""), "");
}

TEST(FilePaths, ChoosersStartAtThePageFileWhenItsFolderExists) {
    TempDir dir;
    const std::string file = dir.path("missions/a.mis");
    dir.write("missions/other.mis", "x"); // makes the folder; a.mis itself need not exist
    EXPECT_EQ(file_ChooserStart(file), dir.path("missions"));
    EXPECT_EQ(file_SaveChooserStart(file), file) << "saving offers the page's own name";
}

TEST(FilePaths, ChoosersFallBackToTheirLastFolderWithoutAUsableFile) {
    TempDir dir;
    EXPECT_EQ(file_ChooserStart(""), "");
    EXPECT_EQ(file_SaveChooserStart(""), "");
    EXPECT_EQ(file_ChooserStart(dir.path("gone/a.mis")), "") << "a folder that no longer exists";
    EXPECT_EQ(file_SaveChooserStart(dir.path("gone/a.mis")), "");
    EXPECT_EQ(file_ChooserStart("a.mis"), "") << "a bare name says nothing about a folder";
}

class OpenPath : public ::testing::Test {
  protected:
    TempDir dir;
};

TEST_F(OpenPath, ANameWithoutExtensionOpensTheMissionFile) {
    dir.write("demo.mis", "x");
    const OpenTarget target = file_ResolveOpenPath(dir.path("demo"), "mis");
    EXPECT_EQ(target.path, dir.path("demo.mis"));
    EXPECT_TRUE(target.exists);
}

TEST_F(OpenPath, TheMissionFileWinsOverAFileWithoutExtension) {
    dir.write("demo", "x");
    dir.write("demo.mis", "x");
    EXPECT_EQ(file_ResolveOpenPath(dir.path("demo"), "mis").path, dir.path("demo.mis"));
}

TEST_F(OpenPath, AnExistingFileWithoutExtensionOpensAsItStands) {
    dir.write("notes", "x");
    const OpenTarget target = file_ResolveOpenPath(dir.path("notes"), "mis");
    EXPECT_EQ(target.path, dir.path("notes"));
    EXPECT_TRUE(target.exists);
}

TEST_F(OpenPath, ANewNameGetsTheExtensionAndIsNotThere) {
    const OpenTarget target = file_ResolveOpenPath(dir.path("fresh"), "mis");
    EXPECT_EQ(target.path, dir.path("fresh.mis"));
    EXPECT_FALSE(target.exists);
}

TEST_F(OpenPath, ANameWithAnExtensionIsTakenAsItStands) {
    dir.write("a.txt", "x");
    EXPECT_EQ(file_ResolveOpenPath(dir.path("a.txt"), "mis").path, dir.path("a.txt"));
    const OpenTarget missing = file_ResolveOpenPath(dir.path("b.old"), "mis");
    EXPECT_EQ(missing.path, dir.path("b.old"));
    EXPECT_FALSE(missing.exists);
}

TEST_F(OpenPath, DotsInFoldersAndLeadingDotsAreNoExtension) {
    dir.write("v1.2/plan.mis", "x");
    EXPECT_EQ(file_ResolveOpenPath(dir.path("v1.2/plan"), "mis").path, dir.path("v1.2/plan.mis"));
    EXPECT_EQ(file_ResolveOpenPath(dir.path(".hidden"), "mis").path, dir.path(".hidden.mis"));
}

TEST_F(OpenPath, AFolderIsNoFileToOpen) {
    dir.write("sub.mis/inside", "x");
    EXPECT_FALSE(file_ResolveOpenPath(dir.path("sub.mis"), "mis").exists);
}

TEST(PageFilePath, TheWholePathStandsWhileTheFieldHoldsItsBeginning) {
    const std::string whole = "/very/long/folder/" + std::string(100, 'x') + ".mis";
    EXPECT_EQ(file_WholePath(whole.substr(0, 79), 79, whole), whole);
    EXPECT_EQ(file_WholePath("/a.mis", 79, "/a.mis"), "/a.mis");
}

TEST(PageFilePath, ACutFieldWithoutItsWholePathIsNoFile) {
    const std::string whole = "/very/long/folder/" + std::string(100, 'x') + ".mis";
    EXPECT_EQ(file_WholePath(whole.substr(0, 79), 79, ""), "");
    EXPECT_EQ(file_WholePath(whole.substr(0, 79), 79, "/another.mis"), "");
}

TEST(PageFilePath, AShortFieldIsTheFileWhateverWasStoredBefore) {
    EXPECT_EQ(file_WholePath("/b.mis", 79, "/a.mis"), "/b.mis");
    EXPECT_EQ(file_WholePath("/a", 79, "/a.mis"), "/a") << "a field that ends early is no cut";
    EXPECT_EQ(file_WholePath("", 79, "/a.mis"), "") << "a cleared page has no file";
}

} // namespace

// Output targets of the command-line tools: the input is never replaced, whatever the spelling;
// links are written through; only regular files are replaced; no temporary file piles up.
#include "tool_game_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

class OutputTargets : public ToolGameFixture {};

bool isLink(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

TEST_F(OutputTargets, AnOutputNeverReplacesTheMissionRead) {
    const std::string text = missionText(2);
    const std::string mission = work.write("lower.mis", text);
    ASSERT_EQ(::symlink("lower.mis", work.path("alias.mis").c_str()), 0);
    for (const std::string& command :
         std::vector<std::string>{"export lower.mis lower.mis", "export lower.mis LOWER.MIS",
                                  "report groups lower.mis ./Lower.Mis", "resave lower.mis alias.mis",
                                  "render lower.mis " + mission + " --size 8x8"}) {
        EXPECT_EQ(qzmission(command).status, 1) << command;
        EXPECT_NE(errors().find("could not be written. Any earlier file of that name is unchanged.\n"
                                "Reason: It is a file this command reads"),
                  std::string::npos)
            << command << "\n"
            << errors();
        EXPECT_EQ(test_ReadFile(mission), text) << command;
    }
}

TEST_F(OutputTargets, QzdataOutputsNeverReplaceTheirInputs) {
    work.write("source.txt", "[Section]\nKEY=text\n");
    EXPECT_EQ(qzdata("strtab-build source.txt SOURCE.TXT").status, 1);
    EXPECT_EQ(test_ReadFile(work.path("source.txt")), "[Section]\nKEY=text\n");
    work.write("a.txt", "entry");
    ASSERT_EQ(qzdata("pff-pack a.pff a.txt").status, 0);
    const std::string archive = test_ReadFile(work.path("a.pff"));
    EXPECT_EQ(qzdata("pff-extract a.pff a.txt A.PFF").status, 1);
    EXPECT_EQ(qzdata("pff-pack a.txt a.txt").status, 1);
    EXPECT_EQ(test_ReadFile(work.path("a.pff")), archive);
    EXPECT_EQ(test_ReadFile(work.path("a.txt")), "entry");
    EXPECT_NE(errors().find("It is a file this command reads"), std::string::npos) << errors();
}

TEST_F(OutputTargets, LinksAreWrittenThrough) {
    work.write("m.mis", missionText(1));
    work.write("exports/real.bms", "old");
    ASSERT_EQ(::symlink("exports/real.bms", work.path("latest.bms").c_str()), 0);
    EXPECT_EQ(qzmission("export m.mis latest.bms").status, 0) << errors();
    EXPECT_TRUE(isLink(work.path("latest.bms")));
    EXPECT_GT(test_ReadFile(work.path("exports/real.bms")).size(), 100u);
}

TEST_F(OutputTargets, OnlyRegularFilesAreReplaced) {
    work.write("m.mis", missionText(1));
    work.write("folder/kept.txt", "kept");
    ASSERT_EQ(::mkfifo(work.path("pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(qzmission("report groups m.mis pipe.txt").status, 1);
    EXPECT_NE(errors().find("Reason: Not a regular file"), std::string::npos) << errors();
    EXPECT_EQ(qzmission("report groups m.mis /dev/null").status, 1);
    EXPECT_EQ(qzmission("export m.mis folder").status, 1);
    EXPECT_NE(errors().find("Reason: Is a directory"), std::string::npos) << errors();
    EXPECT_EQ(qzdata("strtab-build m.mis pipe.txt").status, 1);
    struct stat info {};
    ASSERT_EQ(::stat(work.path("pipe.txt").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(test_ReadFile(work.path("folder/kept.txt")), "kept");
    // "-" names no file here: refused as a usage error rather than made into one.
    EXPECT_EQ(qzmission("export m.mis -").status, 2);
    EXPECT_EQ(qzdata("pff-pack - m.mis").status, 2);
    EXPECT_EQ(access(work.path("-").c_str(), F_OK), -1);
}

TEST_F(OutputTargets, LeftOverTemporariesOfTheTargetAreRemoved) {
    work.write("m.mis", missionText(1));
    work.write("out.bms.tmp-a1B2c3", std::string(5000, 'x'));
    work.write("out.bms.tmp-Z9y8X7", std::string(5000, 'x'));
    EXPECT_EQ(qzmission("export m.mis out.bms").status, 0);
    EXPECT_EQ(access(work.path("out.bms.tmp-a1B2c3").c_str(), F_OK), -1);
    EXPECT_EQ(access(work.path("out.bms.tmp-Z9y8X7").c_str(), F_OK), -1);
    EXPECT_EQ(access(work.path("out.bms").c_str(), F_OK), 0);
}

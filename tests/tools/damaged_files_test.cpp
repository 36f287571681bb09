// Damaged and odd inputs of the command-line tools: refused with a message that names the file
// and what is wrong, never read silently wrong; game data that failed to load is a game-data
// error.
#include "tool_game_fixture.h"

#include <sys/stat.h>

namespace {

class DamagedFiles : public ToolGameFixture {};

} // namespace

TEST_F(DamagedFiles, ADamagedMissionIsRefusedByEverySubcommandThatUsesIt) {
    const std::string mission = work.write("cut.mis", missionText(2, 3));
    for (const char* command :
         {"export cut.mis out.bms", "resave cut.mis out.mis", "report groups cut.mis out.txt", "info cut.mis",
          "render cut.mis out.png --size 8x8"}) {
        EXPECT_EQ(qzmission(command).status, 1) << command;
        const std::string text = errors();
        EXPECT_NE(text.find("File Error: Line 3: num_items is 3, but there is no item block for 2.\n"),
                  std::string::npos)
            << command << "\n"
            << text;
        EXPECT_NE(text.find("The mission file " + mission + " is damaged."), std::string::npos) << text;
    }
    EXPECT_EQ(access(work.path("out.bms").c_str(), F_OK), -1) << "nothing written";
    EXPECT_EQ(access(work.path("out.mis").c_str(), F_OK), -1);
}

TEST_F(DamagedFiles, OpenDamagedUsesWhatCouldBeReadAndStillSaysSo) {
    work.write("cut.mis", missionText(2, 3));
    EXPECT_EQ(qzmission("--open-damaged resave cut.mis out.mis").status, 0);
    EXPECT_NE(errors().find("is damaged."), std::string::npos);
    EXPECT_NE(test_ReadFile(work.path("out.mis")).find("num_items 3"), std::string::npos)
        << "as the reader read it";
    // Something that is no mission gives nothing to use.
    work.write("junk.mis", std::string("\x89PNG\r\n\x1A\n\0\0", 10));
    EXPECT_EQ(qzmission("--open-damaged resave junk.mis out2.mis").status, 1);
}

TEST_F(DamagedFiles, CheckListsEveryProblem) {
    work.write("good.mis", missionText(2));
    EXPECT_EQ(qzmission("check good.mis").status, 0);
    std::string text = missionText(3) + "begin item 1\n  id 9\nend item\nbegin item 7000\nend item\n";
    work.write("bad.mis", text);
    const CommandResult listed = qzmission("check bad.mis");
    EXPECT_EQ(listed.status, 3);
    EXPECT_NE(listed.output.find("Line 24: item block 1 repeats the block of line 12 and overwrites it.\n"),
              std::string::npos)
        << listed.output;
    EXPECT_NE(listed.output.find("Line 27: 1 item blocks are numbered outside 0 to 4999 and are left out.\n"),
              std::string::npos);
    work.write("stops.mis", missionText(1) + "begin item 1\n  colour 4\nend item\n");
    const CommandResult stopped = qzmission("check stops.mis");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.output.find("Line 13 of the file could not be read:   colour 4\n"), std::string::npos)
        << stopped.output;
}

TEST_F(DamagedFiles, AFileThatIsNoMissionIsNamedAndQuotedReadably) {
    const std::string junk =
        work.write("photo.mis", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) + std::string(400, 'J'));
    EXPECT_EQ(qzmission("export photo.mis out.bms").status, 1);
    const std::string text = errors();
    EXPECT_NE(text.find("Line 1 of the file could not be read:\n\\xFF\\xD8\\xFF\\xE0\\x00\\x10JFIF\\x00JJJ"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("JJJ...\n"), std::string::npos) << "cut" << text;
    EXPECT_NE(text.find("Line 1: the file holds NUL bytes here"), std::string::npos) << text;
    EXPECT_NE(text.find("\nThe mission file " + junk + " is damaged."), std::string::npos) << text;
}

TEST_F(DamagedFiles, DirectoriesFifosAndDevicesAreNoMissions) {
    work.write("folder.mis/inside.txt", "x");
    ASSERT_EQ(::mkfifo(work.path("pipe.mis").c_str(), 0600), 0);
    const struct {
        const char* path;
        const char* reason;
    } cases[] = {{"folder.mis", "Reason: Is a directory"},
                 {"pipe.mis", "Reason: Not a regular file"},
                 {"/dev/zero", "Reason: Not a regular file"},
                 {"absent.mis", "Reason: No such file or directory"}};
    for (const auto& input : cases) {
        EXPECT_EQ(qzmission(std::string("export ") + input.path + " out.bms").status, 1) << input.path;
        EXPECT_NE(errors().find(" could not be read.\n" + std::string(input.reason)), std::string::npos)
            << errors();
        EXPECT_EQ(qzmission(std::string("check ") + input.path).status, 1) << input.path;
    }
    EXPECT_EQ(access(work.path("out.bms").c_str(), F_OK), -1);
}

TEST_F(DamagedFiles, GameDataThatFailedToLoadIsAGameDataError) {
    work.write("m.mis", missionText(1));
    const std::string defs = test_ItemDefsFileText();
    game.write("items.def", defs + "wobble 3\r\n");
    EXPECT_EQ(qzmission("export m.mis out.bms").status, 2);
    EXPECT_NE(errors().find("File: items.def"), std::string::npos) << errors();
    game.write("items.def", defs + "\x1A"); // the old end-of-file mark is no damage
    EXPECT_EQ(qzmission("export m.mis out.bms").status, 0) << errors();
    std::remove(game.path("items.def").c_str());
    EXPECT_EQ(qzmission("export m.mis out2.bms").status, 2);
    EXPECT_NE(
        errors().find(
            "(items.def) could not be loaded. No items can be placed.\nReason: No such file or directory"),
        std::string::npos)
        << errors();
    EXPECT_EQ(access(work.path("out2.bms").c_str(), F_OK), -1);
    game.write("items.def/x", "a directory now");
    EXPECT_EQ(qzmission("check m.mis").status, 2);
    EXPECT_NE(errors().find("Reason: Is a directory"), std::string::npos) << errors();
    game.write("items.def.ok", defs);
    std::remove(game.path("items.def/x").c_str());
    std::remove(game.path("items.def").c_str());
    std::rename(game.path("items.def.ok").c_str(), game.path("items.def").c_str());
    game.write("sunsets.def", "begin clear\r\n  sparkle 1\r\nend\r\n");
    EXPECT_EQ(qzmission("export m.mis out3.bms").status, 2) << "a damaged sunsets.def";
}

TEST_F(DamagedFiles, QzdataInputsMustBeRegularFiles) {
    work.write("folder/a.txt", "x");
    work.write("folder.tga/a.txt", "x");
    ASSERT_EQ(::mkfifo(work.path("pipe").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(work.path("pipe.tga").c_str(), 0600), 0);
    for (const std::string& input : {std::string("folder"), std::string("pipe")}) {
        for (const std::string& command :
             {"strtab-dump " + input, "strtab-build " + input + " t.bin", "pff-pack a.pff " + input,
              "pff-list " + input, "pff-extract " + input + " x out", "image " + input + ".tga out.ppm"}) {
            EXPECT_EQ(qzdata(command).status, 1) << command << "\n" << errors();
        }
    }
    EXPECT_EQ(qzdata("strtab-dump folder").status, 1);
    EXPECT_EQ(errors(), "qzdata: cannot read " + work.path("folder") + ": Is a directory\n");
}

TEST_F(DamagedFiles, PffPackRefusesTwoEntriesOfTheSameName) {
    work.write("one/Data.TXT", "first");
    work.write("two/data.txt", "second");
    EXPECT_EQ(qzdata("pff-pack a.pff one/Data.TXT two/data.txt").status, 2);
    EXPECT_NE(errors().find("'Data.TXT' and 'data.txt'"), std::string::npos) << errors();
    EXPECT_EQ(access(work.path("a.pff").c_str(), F_OK), -1);
    EXPECT_EQ(qzdata("pff-pack a.pff one/Data.TXT").status, 0);
}

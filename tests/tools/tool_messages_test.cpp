// Messages of the command-line tools: every path as an absolute path, the system's reason for
// each failure, and no bare ": " before a message that has no caption.
#include "tool_game_fixture.h"

namespace {

class ToolMessages : public ToolGameFixture {};

} // namespace

TEST_F(ToolMessages, PathsAreAbsoluteInEveryMessage) {
    const std::string from = work.path("sub");
    work.write("sub/cut.mis", missionText(1, 2));
    EXPECT_EQ(qzmission("export cut.mis out.bms", from).status, 1);
    EXPECT_NE(errors().find("The mission file " + work.path("sub/cut.mis") + " is damaged."),
              std::string::npos)
        << errors();
    work.write("sub/ok.mis", missionText(1));
    EXPECT_EQ(qzmission("export ok.mis missing/out.bms", from).status, 1);
    EXPECT_NE(errors().find(work.path("sub/missing/out.bms") + " could not be written."), std::string::npos)
        << errors();
    EXPECT_EQ(qzmission("resave absent.mis out.mis", from).status, 1);
    EXPECT_NE(errors().find("The file " + work.path("sub/absent.mis") + " could not be read."),
              std::string::npos);
    EXPECT_EQ(qzdata("strtab-dump absent.bin", from).status, 1);
    EXPECT_EQ(errors(),
              "qzdata: cannot read " + work.path("sub/absent.bin") + ": No such file or directory\n");
    work.write("sub/source.txt", "[Section]\nKEY=text\n");
    EXPECT_EQ(qzdata("strtab-build source.txt missing/t.bin", from).status, 1);
    EXPECT_EQ(errors(),
              "qzdata: cannot write " + work.path("sub/missing/t.bin") + ": No such file or directory\n");
}

TEST_F(ToolMessages, AMessageWithoutCaptionHasNoBareColon) {
    work.write("m.mis", missionText(1));
    std::remove(game.path("items.def").c_str());
    EXPECT_EQ(qzmission("check m.mis").status, 2);
    EXPECT_EQ(errors().rfind("The item definitions (items.def) could not be loaded.", 0), 0u) << errors();
    TempDir empty;
    EXPECT_EQ(run(kQzmission, "--game " + test_Quote(empty.path()) + " check m.mis").status, 2);
    EXPECT_EQ(errors(), "Warning: Unable to load file text.bin\n");
}

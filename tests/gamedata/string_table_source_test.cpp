#include "gamedata/string_table_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string dumpOf(const std::string& text) {
    StrtabSource source;
    std::string error;
    EXPECT_TRUE(strtab_ParseSource(text, source, &error)) << error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(strtab_Build(source, bytes, &error)) << error;
    StringTable* table = strtab_Open(bytes.data(), bytes.size());
    EXPECT_NE(table, nullptr);
    std::string dumped = strtab_DumpSource(table);
    strtab_Free(table);
    return dumped;
}

TEST(StrtabSource, CanonicalSourceSurvivesBuildAndDump) {
    const std::string canonical = "[Dialog Message]\n"
                                  "BAD_LINE_NUMBER=Line %i:\\n%s\n"
                                  "TABBED=a\\tb\\\\c\\r\n"
                                  "EMPTY=\n"
                                  "SPACES=  kept  \n"
                                  "\n"
                                  "[No Keys]\n"
                                  "\n"
                                  "[Dialog Message]\n"
                                  "BAD_LINE_NUMBER=second\n";
    EXPECT_EQ(dumpOf(canonical), canonical);
}

TEST(StrtabSource, CommentsBlankLinesAndLineEndsAreNotKept) {
    EXPECT_EQ(dumpOf("# heading\r\n[A]\r\n   \r\n\tX=1\r\n#Y=2\n[B]\nZ=a=b"), "[A]\n\tX=1\n\n[B]\nZ=a=b\n");
}

TEST(StrtabSource, UnknownEscapesStayAsWritten) {
    StrtabSource source;
    ASSERT_TRUE(strtab_ParseSource("[A]\nK=\\q\\\\n\\", source, nullptr));
    EXPECT_EQ(source.sections[0].keys[0].text, "\\q\\n\\");
    EXPECT_EQ(strtab_EscapeText(source.sections[0].keys[0].text), "\\\\q\\\\n\\\\");
}

TEST(StrtabSource, MalformedLinesAreReportedWithTheirNumber) {
    StrtabSource source;
    std::string error;
    EXPECT_FALSE(strtab_ParseSource("KEY=before any section\n", source, &error));
    EXPECT_EQ(error.rfind("line 1:", 0), 0u) << error;
    EXPECT_FALSE(strtab_ParseSource("[A]\n\nno equals sign\n", source, &error));
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
}

TEST(StrtabSource, NulBytesCannotBeStored) {
    StrtabSource source;
    source.sections.push_back({"A", {{"K", std::string("a\0b", 3)}}});
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(strtab_Build(source, bytes, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace

// Files the user names as inputs: only regular files are read, nothing waits on a FIFO, and the
// text line readers behave alike over files and buffers.
#include "foundation/file_access.h"
#include "foundation/line_reader.h"
#include "foundation/loose_read.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Lines = std::vector<std::string>;

// The lines a handler sees, "<line>:<first word>", and the end-of-file line.
std::vector<std::string> linesOf(const std::string& bytes, bool definitionReader,
                                 LineReadReport* report = nullptr, int rejectAt = 0) {
    std::vector<std::string> seen;
    const LineHandler handler = [&](const LineTokens* tokens, int line) {
        seen.push_back(std::to_string(line) + ":" + (tokens == nullptr ? "EOF" : tokens->words[0]));
        return line == rejectAt ? 1 : 0;
    };
    if (definitionReader)
        ascii_ReadBuffer(bytes.data(), bytes.size(), handler, 0);
    else
        ascii_ReadTextBuffer(bytes.data(), bytes.size(), handler, report);
    return seen;
}

} // namespace

TEST(InputFiles, OnlyRegularFilesAreRead) {
    TempDir dir;
    dir.write("Mission.MIS", "begin x");
    std::string bytes;
    FileFailure failure;
    EXPECT_TRUE(file_ReadLooseWhole(dir.path("mission.mis").c_str(), bytes, &failure));
    EXPECT_EQ(bytes, "begin x");

    EXPECT_FALSE(file_ReadLooseWhole(dir.path().c_str(), bytes, &failure));
    EXPECT_EQ(failure.error, EISDIR);
    EXPECT_FALSE(file_ReadLooseWhole(dir.path("absent.mis").c_str(), bytes, &failure));
    EXPECT_EQ(failure.error, ENOENT);
    EXPECT_FALSE(file_ReadLooseWhole("/dev/zero", bytes, &failure));
    EXPECT_EQ(failure.kind, FileFailure::Kind::NotRegular);

    // A FIFO without a writer: refused at once instead of waiting for one.
    const std::string fifo = dir.path("pipe.mis");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(file_ReadLooseWhole(fifo.c_str(), bytes, &failure));
    EXPECT_EQ(failure.kind, FileFailure::Kind::NotRegular);
    EXPECT_FALSE(file_CheckReadable(fifo.c_str(), &failure));
    EXPECT_TRUE(bytes.empty());
}

TEST(InputFiles, TheFileLayerNeitherOpensNorWaitsOnOtherFiles) {
    TempDir dir;
    file_ResetState();
    const std::string fifo = dir.path("items.def");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(file_Open(fifo.c_str()), -1);
    EXPECT_EQ(file_OpenEx(fifo.c_str()), -1);
    EXPECT_EQ(file_ExistsEx(dir.path().c_str()), 0);
    EXPECT_EQ(ascii_ReadFile(
                  fifo.c_str(), [](const LineTokens*, int) { return 0; }, 0),
              2);
    EXPECT_EQ(ascii_ReadTextFile(dir.path().c_str(), [](const LineTokens*, int) { return 0; }), 1);
}

TEST(InputFiles, TextBufferReadsAsTheTextFileReader) {
    TempDir dir;
    const std::string text = "one\r\ntwo\rstill two\n\n" + std::string(699, 'L') + "\nlast\r";
    const std::string path = dir.write("m.mis", text);
    std::vector<std::string> fromFile;
    ascii_ReadTextFile(path.c_str(), [&](const LineTokens* tokens, int line) {
        fromFile.push_back(std::to_string(line) + ":" + (tokens == nullptr ? "EOF" : tokens->words[0]));
        return 0;
    });
    EXPECT_EQ(linesOf(text, false), fromFile);
    // The 699 characters and their line feed make lines 4 and 5 (empty); a lone CR stays.
    EXPECT_EQ(fromFile, (Lines{"1:one", "2:two\rstill", "4:" + std::string(699, 'L'), "6:last\r", "7:EOF"}));
}

TEST(InputFiles, TextBufferReportsNulLinesAndRejectedLinesQuietly) {
    CapturedMessages messages;
    LineReadReport report;
    const std::string text =
        std::string("begin\nna\0me x\n", 14) + std::string(5, '\0') + "\nend\nbad \x01 line\nnever\n";
    EXPECT_EQ(linesOf(text, false, &report, 5), (Lines{"1:begin", "2:na", "4:end", "5:bad"}));
    EXPECT_EQ(report.nul_lines, 2);
    EXPECT_EQ(report.first_nul_line, 2);
    EXPECT_EQ(report.rejected_line, 5);
    EXPECT_EQ(report.rejected_text, "bad \x01 line");
    EXPECT_TRUE(messages.messages.empty()) << "the caller reports it";
}

TEST(InputFiles, ADefinitionFilesOneByteTrailerIsDropped) {
    // After the last CR LF: a lone LF, CR or end-of-file mark makes an empty line (counted, not
    // handed to the handler) ...
    for (const char* trailer : {"\n", "\r", "\x1A"}) {
        EXPECT_EQ(linesOf(std::string("begin\r\nend\r\n") + trailer, true),
                  (Lines{"1:begin", "2:end", "4:EOF"}))
            << int(trailer[0]);
        // ... nor part of a last line that has no CR LF.
        EXPECT_EQ(linesOf(std::string("begin\r\nend") + trailer, true), (Lines{"1:begin", "2:end", "3:EOF"}))
            << int(trailer[0]);
    }
    // The rest of the last line is kept whole, and only one trailing byte goes.
    EXPECT_EQ(linesOf("begin\r\nend", true), (Lines{"1:begin", "2:end", "3:EOF"}));
    EXPECT_EQ(linesOf("a\r\nend\n\n", true), (Lines{"1:a", "2:end\n", "3:EOF"}));
}

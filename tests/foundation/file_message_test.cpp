// Messages about files: reasons in words, bad lines quoted readably, captions that may be empty.
#include "foundation/file_failure.h"
#include "foundation/line_quote.h"
#include "foundation/line_reader.h"
#include "foundation/user_message.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>

TEST(FileMessages, ReasonsAreTheSystemsWordsOrTheFileLayers) {
    EXPECT_EQ(file_FailureText(FileFailure::system(EACCES)), "Permission denied");
    EXPECT_EQ(file_FailureText(FileFailure::system(ENOSPC)), "No space left on device");
    EXPECT_EQ(file_FailureText(FileFailure::system(EISDIR)), "Is a directory");
    EXPECT_EQ(file_FailureText(FileFailure::of(FileFailure::Kind::NotRegular)), "Not a regular file");
    EXPECT_EQ(file_FailureText(FileFailure::of(FileFailure::Kind::IsInput)),
              "It is a file this command reads");
    EXPECT_EQ(file_FailureText(FileFailure{}), "");
}

TEST(FileMessages, QuotedLinesEscapeUnprintableBytesAndAreCut) {
    EXPECT_EQ(ascii_QuoteLine("  position 1 2 3"), "  position 1 2 3");
    EXPECT_EQ(ascii_QuoteLine(std::string("\xFF\xD8\xFF\xE0\0\x10JFIF\t", 11)),
              "\\xFF\\xD8\\xFF\\xE0\\x00\\x10JFIF\\x09");
    const std::string quoted = ascii_QuoteLine(std::string(5000, '\x01'));
    EXPECT_LE(quoted.size(), kQuotedLineMaxChars + 3);
    EXPECT_EQ(quoted.substr(quoted.size() - 7), "\\x01...") << "cut between escapes, never inside one";
    EXPECT_EQ(ascii_QuoteLine(std::string(kQuotedLineMaxChars, 'a')), std::string(kQuotedLineMaxChars, 'a'));
}

TEST(FileMessages, BadLineTextQuotesTheLine) {
    EXPECT_EQ(ascii_BadLineText(1, std::string("\x89PNG\r\n\x1A\n", 8)),
              "Line 1: \\x89PNG\\x0D\\x0A\\x1A\\x0A");
}

TEST(FileMessages, TheDefaultSinkLeavesOutAnEmptyCaption) {
    std::FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    std::fflush(stderr);
    const int saved = ::dup(::fileno(stderr));
    ::dup2(::fileno(capture), ::fileno(stderr));
    msg_SetSink(nullptr);
    msg_Show("", "Warning: Unable to load file text.bin");
    msg_Show("File Error", "Line 3: x");
    std::fflush(stderr);
    ::dup2(saved, ::fileno(stderr));
    ::close(saved);
    std::rewind(capture);
    char buffer[256] = {};
    const size_t got = std::fread(buffer, 1, sizeof buffer - 1, capture);
    std::fclose(capture);
    EXPECT_EQ(std::string(buffer, got), "Warning: Unable to load file text.bin\nFile Error: Line 3: x\n");
}

#include "foundation/file_access.h"
#include "foundation/line_quote.h"
#include "foundation/line_reader.h"
#include "foundation/text_source.h"
#include "support/captured_messages.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
std::vector<std::string> words(const char* line) {
    LineTokens tokens = ascii_SplitLine(line);
    std::vector<std::string> out;
    for (int i = 0; i < tokens.count; ++i)
        out.emplace_back(tokens.words[i]);
    return out;
}

using Words = std::vector<std::string>;

// What a handler saw: one entry per call, "<line>:" followed by the words joined with "|";
// the end-of-file call is "<line>:EOF".
struct Recorder {
    std::vector<std::string> calls;
    int rejectAt = 0; // line number to reject with the value 7
    int endResult = 0;

    LineHandler handler() {
        return [this](const LineTokens* tokens, int line) {
            if (tokens == nullptr) {
                calls.push_back(std::to_string(line) + ":EOF");
                return endResult;
            }
            std::string call = std::to_string(line) + ":";
            for (int i = 0; i < tokens->count; ++i)
                call += (i ? "|" : "") + std::string(tokens->words[i]);
            calls.push_back(call);
            return line == rejectAt ? 7 : 0;
        };
    }
};

int readText(const std::string& bytes, Recorder& recorder, uint32_t key = 0) {
    return ascii_ReadBuffer(bytes.data(), bytes.size(), recorder.handler(), key);
}

const char* g_badLineFormat = "Bad line %i: '%s'";
const char* testTexts(const char* section, const char* key) {
    if (std::strcmp(section, "Dialog Message") != 0) return nullptr;
    if (std::strcmp(key, "ASCII_PARSE") == 0) return "Parse Error";
    if (std::strcmp(key, "BAD_LINE_NUMBER") == 0) return g_badLineFormat;
    return nullptr;
}

// Installs the test texts for the life of a test.
struct TextsInstalled {
    explicit TextsInstalled(const char* format) {
        g_badLineFormat = format;
        text_SetSource(testTexts);
    }
    ~TextsInstalled() { text_SetSource(nullptr); }
};
} // namespace

TEST(LineSplit, QuotedTextIsOneWordAndAClosingQuoteAddsAnEmptyWord) {
    EXPECT_EQ(words("name \"A, B\""), (Words{"name", "A, B", ""}));
}

TEST(LineSplit, SpacesTabsAndCommasSeparate) {
    EXPECT_EQ(words("a b\tc,d"), (Words{"a", "b", "c", "d"}));
    EXPECT_EQ(words("a,, \t b"), (Words{"a", "b"})); // runs of separators collapse
    EXPECT_EQ(words("  lead"), (Words{"lead"}));
}

TEST(LineSplit, TrailingSeparatorGivesAnEmptyLastWord) {
    EXPECT_EQ(words("a b "), (Words{"a", "b", ""}));
    EXPECT_EQ(words("a,"), (Words{"a", ""}));
}

TEST(LineSplit, EmptyQuotesInTheMiddleGiveNoWord) {
    EXPECT_EQ(words("a \"\" b"), (Words{"a", "b"}));
    EXPECT_EQ(words("a\"\"b"), (Words{"a", "b"}));
}

TEST(LineSplit, EmptyLineAndLineOfSpaces) {
    EXPECT_TRUE(words("").empty());
    EXPECT_EQ(words("     "), (Words{""}));
}

TEST(LineSplit, OnlyTheFirstThirtyWordsAreKept) {
    std::string line;
    for (int i = 1; i <= 31; ++i)
        line += "w" + std::to_string(i) + " ";
    line.pop_back();
    Words got = words(line.c_str());
    ASSERT_EQ(got.size(), 30u);
    EXPECT_EQ(got.front(), "w1");
    EXPECT_EQ(got.back(), "w30"); // ends at its own separator, nothing of w31 attached
}

TEST(LineSplit, LinesAreCutAtAThousandCharacters) {
    std::string line(999, 'x');
    line += "yz tail";
    Words got = words(line.c_str());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), 1000u);
    EXPECT_EQ(got[0].back(), 'y');
}

TEST(LineProtocol, SkipsBlankAndCommentLinesButCountsThem) {
    Recorder recorder;
    recorder.endResult = 5;
    EXPECT_EQ(readText("first 1\r\n\r\n// note\r\n/x y\r\nsecond \"two words\"\r\n", recorder), 5);
    EXPECT_EQ(recorder.calls, (Words{"1:first|1", "5:second|two words|", "6:EOF"}));
}

TEST(LineProtocol, LoneCarriageReturnsAndLineFeedsBelongToTheLine) {
    Recorder recorder;
    readText("a\rb\nc\r\nd", recorder);
    EXPECT_EQ(recorder.calls, (Words{"1:a\rb\nc", "2:d", "3:EOF"}));
}

TEST(LineProtocol, FinalLineWithoutLineEndKeepsAllCharacters) {
    Recorder recorder;
    readText("start\r\nend", recorder);
    EXPECT_EQ(recorder.calls, (Words{"1:start", "2:end", "3:EOF"}));
}

TEST(LineProtocol, EmptyInputOnlyNotifiesTheEnd) {
    Recorder recorder;
    recorder.endResult = 3;
    EXPECT_EQ(readText("", recorder), 3);
    EXPECT_EQ(recorder.calls, (Words{"1:EOF"}));
}

TEST(LineProtocol, RejectedLineStopsWithAMessageNamingIt) {
    TextsInstalled texts("Bad line %i: '%s'");
    CapturedMessages messages;
    Recorder recorder;
    recorder.rejectAt = 2;
    EXPECT_EQ(readText("ok\r\nbroken \"line\"\r\nnever\r\n", recorder), 7);
    EXPECT_EQ(recorder.calls, (Words{"1:ok", "2:broken|line|"}));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Parse Error");
    EXPECT_EQ(messages.messages[0].text, "Bad line 2: 'broken \"line\"'");
    EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(messages.messages[0].buttons, MsgButtons::Ok);
}

TEST(LineProtocol, UnsafeMessageFormatsFallBackToAFixedOne) {
    CapturedMessages messages;
    const char* formats[] = {"%s %i",      "%i %s %s",        "%n%s",       "%i", "line %*i %s", "%ld %s",
                             "trailing %", "%0200221000i %s", "%i %.99999s"};
    for (const char* format : formats) {
        TextsInstalled texts(format);
        Recorder recorder;
        recorder.rejectAt = 1;
        readText("bad", recorder);
    }
    ASSERT_EQ(messages.messages.size(), std::size(formats));
    for (const CapturedMessage& message : messages.messages)
        EXPECT_EQ(message.text, "Line 1: bad");
}

TEST(LineProtocol, SafeFormatsWithFlagsAndPercentSignsAreUsed) {
    TextsInstalled texts("100%% sure: line %03d [%-5.255s]");
    CapturedMessages messages;
    Recorder recorder;
    recorder.rejectAt = 1;
    readText("bad", recorder);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "100% sure: line 001 [bad  ]");
}

TEST(LineProtocol, MissingTextsStillNameTheLine) {
    CapturedMessages messages;
    Recorder recorder;
    recorder.rejectAt = 1;
    readText("bad", recorder);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, kBadTextString);
    EXPECT_EQ(messages.messages[0].text, "Line 1: bad");
}

TEST(LineProtocol, VeryLongLinesReachTheMessageCut) {
    CapturedMessages messages;
    Recorder recorder;
    recorder.rejectAt = 1;
    readText(std::string(5000, 'q'), recorder);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Line 1: " + std::string(kQuotedLineMaxChars, 'q') + "...");
}

TEST(Scrambling, RoundTripsForManyKeysAndSizes) {
    std::mt19937 random(42);
    for (size_t size : {0u, 1u, 2u, 3u, 100u, 4097u}) {
        std::vector<uint8_t> original(size);
        for (uint8_t& b : original)
            b = static_cast<uint8_t>(random());
        uint32_t key = static_cast<uint32_t>(random());
        std::vector<uint8_t> data = original;
        ascii_Scramble(data.data(), data.size(), key);
        if (size > 8) {
            EXPECT_NE(data, original);
        }
        ascii_Descramble(data.data(), data.size(), key);
        EXPECT_EQ(data, original);
    }
}

TEST(Scrambling, DescrambleReversesThenAppliesTheKeyStream) {
    // k0 = 1: t = rotl(1,11)+1 = 0x801, k = rotl(0x801,4)^1 = 0x8011 -> byte ^ 0x11;
    // then t = rotl(0x8011,11)+0x8011 = 0x4008800+0x8011 = 0x4010811, k = rotl(..,4)^1 = 0x40108111.
    uint8_t data[2] = {0x00, 0xFF}; // reversed first: {0xFF, 0x00}
    ascii_Descramble(data, 2, 1);
    EXPECT_EQ(data[0], 0xFF ^ 0x11);
    EXPECT_EQ(data[1], 0x00 ^ 0x11);
}

TEST(Scrambling, ScrambledFilesReadWithTheirKey) {
    const uint32_t key = 0x2B5E8A1;
    std::string text = "item 1 \"Rifle\"\r\nitem 2 last";
    std::vector<uint8_t> body(text.begin(), text.end());
    ascii_Scramble(body.data(), body.size(), key);
    std::string file(reinterpret_cast<const char*>(kScrambleMark), 4);
    file.append(body.begin(), body.end());

    Recorder withKey;
    readText(file, withKey, key);
    EXPECT_EQ(withKey.calls, (Words{"1:item|1|Rifle|", "2:item|2|last", "3:EOF"}));

    // Key 0 reads the file as plain text, mark included.
    Recorder plain;
    std::string marked = "SCR\x01word\r\n";
    readText(marked, plain, 0);
    EXPECT_EQ(plain.calls, (Words{"1:SCR\x01word", "2:EOF"}));
}

TEST(Scrambling, MarkWithoutBodyGivesNoLines) {
    Recorder recorder;
    readText("SCR\x01", recorder, 99);
    EXPECT_EQ(recorder.calls, (Words{"1:EOF"}));
}

TEST(LineFiles, ReadFileThroughTheFileLayer) {
    TempDir dir;
    file_ResetState();
    std::string path = dir.write("Items.DEF", "alpha beta\r\n\r\nend");
    Recorder recorder;
    recorder.endResult = 4;
    EXPECT_EQ(ascii_ReadFile((dir.path() + "/items.def").c_str(), recorder.handler(), 0), 4);
    EXPECT_EQ(recorder.calls, (Words{"1:alpha|beta", "3:end", "4:EOF"}));
    EXPECT_EQ(file_State().currentHandle, -1); // closed again
}

TEST(LineFiles, MissingFilesAreReportedByResult) {
    file_ResetState();
    Recorder recorder;
    EXPECT_EQ(ascii_ReadFile("/no/such/file.def", recorder.handler(), 0), 2);
    EXPECT_EQ(ascii_ReadTextFile("/no/such/file.mis", recorder.handler()), 1);
    EXPECT_TRUE(recorder.calls.empty());
}

TEST(LineFiles, TextFileReadsLinesOfAtMost699Characters) {
    TempDir dir;
    std::string longLine(700, 'L');
    std::string path = dir.write("m.mis", "one\r\n" + longLine + "\nlast");
    Recorder recorder;
    EXPECT_EQ(ascii_ReadTextFile(path.c_str(), recorder.handler()), 0);
    ASSERT_EQ(recorder.calls.size(), 5u);
    EXPECT_EQ(recorder.calls[0], "1:one");
    EXPECT_EQ(recorder.calls[1], "2:" + std::string(699, 'L'));
    EXPECT_EQ(recorder.calls[2], "3:L");
    EXPECT_EQ(recorder.calls[3], "4:last");
    EXPECT_EQ(recorder.calls[4], "5:EOF");
}

TEST(LineFiles, TextFileRejectionStopsTheRead) {
    TempDir dir;
    CapturedMessages messages;
    std::string path = dir.write("m.mis", "a\nb\nc\n");
    Recorder recorder;
    recorder.rejectAt = 2;
    EXPECT_EQ(ascii_ReadTextFile(path.c_str(), recorder.handler()), 7);
    EXPECT_EQ(recorder.calls, (Words{"1:a", "2:b"}));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Line 2: b\nFile: " + path);
}

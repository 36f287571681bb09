#include "foundation/line_reader.h"

#include "foundation/file_access.h"
#include "foundation/line_quote.h"
#include "foundation/loose_read.h"
#include "foundation/mem_arena.h"
#include "foundation/safe_format.h"
#include "foundation/text_source.h"
#include "foundation/user_message.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
// The one line buffer the words point into.
char g_lineBuffer[kLineMaxChars + 1];

constexpr int kMaxFieldWidth = 255;

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// Copies at most kLineMaxChars characters of the line (up to an embedded NUL) into the buffer.
void takeLine(const char* text, size_t length) {
    if (length > kLineMaxChars) length = kLineMaxChars;
    const void* nul = std::memchr(text, '\0', length);
    if (nul != nullptr) length = static_cast<size_t>(static_cast<const char*>(nul) - text);
    std::memcpy(g_lineBuffer, text, length);
    g_lineBuffer[length] = '\0';
}

// Splits the line held in g_lineBuffer.
LineTokens splitTaken() {
    LineTokens tokens;
    size_t length = std::strlen(g_lineBuffer);
    if (length == 0) return tokens;
    bool expectWord = true;
    bool inQuotes = false;
    // The terminating NUL takes part: after a trailing separator or quote it starts an empty word.
    for (size_t i = 0; i <= length; ++i) {
        char c = g_lineBuffer[i];
        if ((!inQuotes && isSeparator(c)) || c == '"') {
            if (c == '"') inQuotes = !inQuotes;
            g_lineBuffer[i] = '\0';
            expectWord = true;
        } else if (expectWord) {
            // With all words found, the walk only goes on to end the last of them.
            if (tokens.count == kLineMaxWords) break;
            tokens.words[tokens.count++] = &g_lineBuffer[i];
            expectWord = false;
        }
    }
    return tokens;
}

// printf conversions of BAD_LINE_NUMBER: the format comes from a data file, so it is used only
// when its conversions are exactly one integer conversion followed by one %s, with modest
// widths (a width of millions would make a text of millions of characters).
bool isSafeLineFormat(const char* format) {
    int conversions = 0;
    for (const char* percent = std::strchr(format, '%'); percent != nullptr;
         percent = std::strchr(percent, '%')) {
        const FmtConversion c = fmt_ScanConversion(percent + 1);
        const bool plainPercent = c.type == '%' && c.end == percent + 2;
        percent = c.end;
        if (plainPercent) continue;
        if (!c.valid || c.width > kMaxFieldWidth || c.precision > kMaxFieldWidth || !c.length.empty())
            return false;
        if (conversions == 0 && std::strchr("diuxXo", c.type) == nullptr) return false;
        if (conversions == 1 && c.type != 's') return false;
        if (conversions >= 2) return false;
        ++conversions;
    }
    return conversions == 2;
}

// The word that introduces the file's name under a bad-line message ("Dialog Message" "FILE_LABEL").
std::string fileLabel() {
    return text_GetOr("Dialog Message", "FILE_LABEL", "File:");
}

void reportBadLine(int lineNumber, std::string_view line, const char* fileName) {
    const char* caption = text_Get("Dialog Message", "ASCII_PARSE");
    std::string text = ascii_BadLineText(lineNumber, line);
    if (fileName != nullptr) {
        text += '\n';
        text += fileLabel();
        text += ' ';
        text += fileName;
    }
    msg_Show(caption, text.c_str(), MsgIcon::Error, MsgButtons::Ok);
}

// One read: where its lines go and who reports a rejected line.
struct ReadTarget {
    const LineHandler& handler;
    LineReadReport* report = nullptr; // the caller reports a rejected line
    const char* fileName = nullptr;   // named in the message of a rejected line
};

// One line through the protocol: 0 to go on, else the handler's rejection value.
int handleLine(const char* text, size_t length, int lineNumber, ReadTarget& target) {
    if (target.report != nullptr && std::memchr(text, '\0', length) != nullptr) {
        if (target.report->nul_lines++ == 0) target.report->first_nul_line = lineNumber;
    }
    takeLine(text, length);
    LineTokens tokens = splitTaken();
    if (tokens.count == 0 || tokens.words[0][0] == '/') return 0;
    int result = target.handler(&tokens, lineNumber);
    if (result == 0) return 0;
    const std::string_view line(text, length < kLineMaxChars ? length : kLineMaxChars);
    if (target.report != nullptr) {
        target.report->rejected_line = lineNumber;
        target.report->rejected_text.assign(line.data(), line.size());
    } else {
        reportBadLine(lineNumber, line, target.fileName);
    }
    return result;
}

bool isTrailer(char c) {
    return c == '\n' || c == '\r' || c == '\x1A';
}

// Lines end at CR LF; a lone CR or LF belongs to the line. A final line without CR LF runs to
// the end of the data and keeps its characters (the described reader loses the last one, which
// would cut a final "end" to "en"), but a trailing LF, CR or 0x1A there is no character of the
// line: editors and old tools leave such a byte after the last line end.
int readLines(const char* data, size_t size, ReadTarget& target) {
    int lineNumber = 1;
    size_t start = 0;
    while (start < size) {
        size_t end = start;
        while (end < size && !(data[end] == '\r' && end + 1 < size && data[end + 1] == '\n'))
            ++end;
        size_t length = end - start;
        if (end == size && length > 0 && isTrailer(data[end - 1])) --length;
        int result = handleLine(data + start, length, lineNumber, target);
        if (result != 0) return result;
        ++lineNumber;
        start = end + 2;
    }
    return target.handler(nullptr, lineNumber);
}

// The text-mode reading of ascii_ReadTextBuffer.
int readTextLines(const char* data, size_t size, ReadTarget& target) {
    char line[kTextLineMaxChars + 1];
    int lineNumber = 1;
    size_t pos = 0;
    while (pos < size) {
        // CR LF reads as LF. A read stops after LF or at kTextLineMaxChars characters; the rest
        // of a longer line comes with the next read.
        size_t length = 0;
        while (length < kTextLineMaxChars && pos < size) {
            char c = data[pos++];
            if (c == '\r' && pos < size && data[pos] == '\n') {
                c = '\n';
                ++pos;
            }
            line[length++] = c;
            if (c == '\n') break;
        }
        if (length > 0 && line[length - 1] == '\n') --length;
        const int result = handleLine(line, length, lineNumber, target);
        if (result != 0) return result;
        ++lineNumber;
    }
    return target.handler(nullptr, lineNumber);
}

bool hasScrambleMark(const uint8_t* data, size_t size) {
    return size >= sizeof kScrambleMark && std::memcmp(data, kScrambleMark, sizeof kScrambleMark) == 0;
}
} // namespace

LineTokens ascii_SplitLine(const char* text) {
    if (text == nullptr) text = "";
    takeLine(text, std::strlen(text));
    return splitTaken();
}

std::string ascii_BadLineText(int line_number, std::string_view line) {
    const char* format = text_Get("Dialog Message", "BAD_LINE_NUMBER");
    if (!isSafeLineFormat(format)) format = "Line %i: %s";
    return fmt_Format(format, {line_number, ascii_QuoteLine(line)});
}

int ascii_ReadBuffer(const char* data, size_t size, const LineHandler& handler, uint32_t key) {
    if (data == nullptr) size = 0;
    ReadTarget target{handler};
    const auto* bytes = reinterpret_cast<const uint8_t*>(data);
    if (key != 0 && hasScrambleMark(bytes, size)) {
        std::vector<uint8_t> plain(bytes + sizeof kScrambleMark, bytes + size);
        ascii_Descramble(plain.data(), plain.size(), key);
        return readLines(reinterpret_cast<const char*>(plain.data()), plain.size(), target);
    }
    return readLines(data, size, target);
}

int ascii_ReadTextBuffer(const char* data, size_t size, const LineHandler& handler, LineReadReport* report) {
    if (data == nullptr) size = 0;
    if (report != nullptr) *report = LineReadReport{};
    ReadTarget target{handler, report};
    return readTextLines(data, size, target);
}

int ascii_ReadFile(const char* path, const LineHandler& handler, uint32_t key) {
    if (file_OpenEx(path) < 0) return 2;
    long size = file_SeekEx(0, 2);
    file_SeekEx(0, 0);
    uint8_t* buffer =
        size >= 0 ? static_cast<uint8_t*>(mem_GetMem(static_cast<size_t>(size), 16, 0)) : nullptr;
    if (buffer == nullptr) {
        file_CloseEx();
        return 2;
    }
    long got = size > 0 ? file_ReadEx(buffer, size) : 0;
    file_CloseEx();
    size_t length = got > 0 ? static_cast<size_t>(got) : 0;
    ReadTarget target{handler, nullptr, path};
    int result;
    if (key != 0 && hasScrambleMark(buffer, length)) {
        ascii_Descramble(buffer + sizeof kScrambleMark, length - sizeof kScrambleMark, key);
        result = readLines(reinterpret_cast<const char*>(buffer + sizeof kScrambleMark),
                           length - sizeof kScrambleMark, target);
    } else {
        result = readLines(reinterpret_cast<const char*>(buffer), length, target);
    }
    mem_FreeMem(buffer);
    return result;
}

int ascii_ReadTextFile(const char* path, const LineHandler& handler) {
    std::string bytes;
    if (!file_ReadLooseWhole(path, bytes, nullptr)) return 1;
    ReadTarget target{handler, nullptr, path};
    return readTextLines(bytes.data(), bytes.size(), target);
}

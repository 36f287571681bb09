#pragma once
// The line reader shared by every definition file and the mission metafile: lines cut into words,
// blank and comment lines skipped, each other line handed to a handler that may reject it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

constexpr int kLineMaxWords = 30;
constexpr int kLineMaxChars = 1000;    // characters of a line that take part in splitting
constexpr int kTextLineMaxChars = 699; // characters per read of the text-mode reader
constexpr uint8_t kScrambleMark[4] = {'S', 'C', 'R', 0x01};

// The words of one line. They point into one shared line buffer that the next line overwrites.
struct LineTokens {
    int count = 0;
    const char* words[kLineMaxWords] = {};
};

// Called with the words and the 1-based line number; 0 goes on, anything else rejects the line
// and stops the read. After the last line it is called once with null and the number one past
// the last line; that result is the reader's result.
using LineHandler = std::function<int(const LineTokens* tokens, int line_number)>;

// Splits a line: spaces, tabs and commas separate words outside double quotes; a quoted text is
// one word without its quotes. A line ending in a separator or a quote gets an empty last word.
LineTokens ascii_SplitLine(const char* text);

// What a text read noticed beside the handler calls. A read that is given a report shows no
// message: a rejected line is left here for the caller to report (ascii_BadLineText).
struct LineReadReport {
    int nul_lines = 0;         // lines holding a NUL byte (their words end at the first one)
    int first_nul_line = 0;    // the first of them; 0 when there is none
    int rejected_line = 0;     // the line the handler rejected; 0 when none was
    std::string rejected_text; // that line's bytes, at most kLineMaxChars of them
};

// Reads a file through the file access layer. With a non-zero `key`, a file starting with
// kScrambleMark is descrambled first. Returns the rejecting handler's value, 2 when the file
// cannot be loaded, otherwise the end-of-file result. The message for a rejected line names
// the file.
int ascii_ReadFile(const char* path, const LineHandler& handler, uint32_t key);
// Reads a loose text file from disk as ascii_ReadTextBuffer reads its bytes. Returns 1 when it
// cannot be read (missing, not a regular file, unreadable). The message for a rejected line
// names the file.
int ascii_ReadTextFile(const char* path, const LineHandler& handler);
// The line protocol over bytes in memory (lines end at CR LF), as ascii_ReadFile applies it.
// A final line without CR LF keeps all of its characters, except that a last byte LF, CR or
// 0x1A (the old end-of-file mark) is a trailer and is dropped.
int ascii_ReadBuffer(const char* data, size_t size, const LineHandler& handler, uint32_t key);
// The text-mode reader over bytes in memory (mission metafiles): CR LF reads as LF, a lone CR
// belongs to the line; a line ends after its LF or after kTextLineMaxChars characters, and the
// rest of a longer line is read as the next line; the LF at the end of a line is removed.
// Without a report a rejected line is shown as ascii_ReadBuffer shows it.
int ascii_ReadTextBuffer(const char* data, size_t size, const LineHandler& handler,
                         LineReadReport* report = nullptr);

// The "BAD_LINE_NUMBER" text for a rejected line: its number and the line quoted
// (ascii_QuoteLine). A format from the string table that does not take exactly an integer and
// a text is replaced by "Line %i: %s".
std::string ascii_BadLineText(int line_number, std::string_view line);

// Descrambles the `size` bytes after the mark in place, and the inverse used to write such files.
void ascii_Descramble(uint8_t* data, size_t size, uint32_t key);
void ascii_Scramble(uint8_t* data, size_t size, uint32_t key);

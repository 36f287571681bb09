#pragma once
// The line reader shared by every definition file and the mission metafile: lines cut into words,
// blank and comment lines skipped, each other line handed to a handler that may reject it.

#include <cstddef>
#include <cstdint>
#include <functional>

constexpr int kLineMaxWords = 30;
constexpr int kLineMaxChars = 1000;     // characters of a line that take part in splitting
constexpr int kTextLineMaxChars = 699;  // characters per read of the text-mode reader
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

// Reads a file through the file access layer. With a non-zero `key`, a file starting with
// kScrambleMark is descrambled first. Returns the rejecting handler's value, 2 when the file
// cannot be loaded, otherwise the end-of-file result.
int ascii_ReadFile(const char* path, const LineHandler& handler, uint32_t key);
// Reads a loose text file from disk (mission metafiles). Returns 1 when it cannot be opened.
int ascii_ReadTextFile(const char* path, const LineHandler& handler);
// The line protocol over bytes in memory (lines end at CR LF), as ascii_ReadFile applies it.
int ascii_ReadBuffer(const char* data, size_t size, const LineHandler& handler, uint32_t key);

// Descrambles the `size` bytes after the mark in place, and the inverse used to write such files.
void ascii_Descramble(uint8_t* data, size_t size, uint32_t key);
void ascii_Scramble(uint8_t* data, size_t size, uint32_t key);

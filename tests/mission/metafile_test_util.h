#pragma once
// Helpers shared by the metafile tests of this folder.

#include "mission/metafile_reader.h"
#include "mission/metafile_writer.h"
#include "support/temp_dir.h"

#include <memory>
#include <string>
#include <unistd.h>

// A fixed header date, so that whole files can be compared.
inline MetafileTime testTime() {
    MetafileTime when;
    when.month = 7;
    when.day = 4;
    when.year = 2001;
    when.hour = 9;
    when.minute = 5;
    return when;
}

inline std::string formatPage(MissionPage& page) {
    std::string text;
    metafile_Format(page, testTime(), text);
    return text;
}

// Writes `text` to a file in `dir` and loads it into a fresh page; `result` gets the load result.
inline std::unique_ptr<MissionPage> loadText(const TempDir& dir, const std::string& text,
                                             int* result = nullptr) {
    const std::string path = dir.write("load.mis", text);
    auto page = std::make_unique<MissionPage>();
    const int loaded = metafile_Load(*page, path.c_str());
    if (result != nullptr) *result = loaded;
    return page;
}

// The lines of a block that starts with `begin` (up to and including its "end" line).
inline std::string blockOf(const std::string& text, const std::string& begin) {
    const size_t start = text.find(begin + "\n");
    if (start == std::string::npos) return {};
    const size_t end = text.find("\nend ", start);
    const size_t line_end = end == std::string::npos ? std::string::npos : text.find('\n', end + 1);
    return text.substr(start, line_end == std::string::npos ? std::string::npos : line_end + 1 - start);
}

// "" when the texts are equal; otherwise the first differing line of each, with its number.
inline std::string firstDifference(const std::string& a, const std::string& b) {
    if (a == b) return {};
    size_t line = 1;
    size_t start = 0;
    while (start < a.size() && start < b.size()) {
        const size_t end_a = a.find('\n', start);
        const size_t end_b = b.find('\n', start);
        const std::string la =
            a.substr(start, end_a == std::string::npos ? std::string::npos : end_a - start);
        const std::string lb =
            b.substr(start, end_b == std::string::npos ? std::string::npos : end_b - start);
        if (la != lb || end_a != end_b)
            return "line " + std::to_string(line) + ": [" + la + "] vs [" + lb + "]";
        start = end_a + 1;
        ++line;
    }
    return "line " + std::to_string(line) + ": one text ends here";
}

// The Python interpreter for the reference scripts: the system one when present (it starts much
// faster than wrappers found first on PATH), else whatever "python3" names.
inline std::string pythonCommand() {
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

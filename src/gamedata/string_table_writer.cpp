#include "gamedata/string_table_writer.h"

#include "gamedata/strtab_layout.h"

#include <cstring>

namespace {

bool onlyBlanks(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

bool hasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

} // namespace

std::string strtab_EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::string strtab_UnescapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            const char* replacement = next == 'n'    ? "\n"
                                      : next == 't'  ? "\t"
                                      : next == 'r'  ? "\r"
                                      : next == '\\' ? "\\"
                                                     : nullptr;
            if (replacement != nullptr) {
                out += replacement;
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool strtab_ParseSource(std::string_view text, StrtabSource& source, std::string* error) {
    source.sections.clear();
    size_t start = 0;
    int line_number = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (onlyBlanks(line) || line.front() == '#') continue;
        if (line.front() == '[' && line.size() >= 2 && line.back() == ']') {
            source.sections.push_back({std::string(line.substr(1, line.size() - 2)), {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            if (error)
                *error = "line " + std::to_string(line_number) + ": neither a section, a key nor a comment";
            return false;
        }
        if (source.sections.empty()) {
            if (error) *error = "line " + std::to_string(line_number) + ": key before the first section";
            return false;
        }
        source.sections.back().keys.push_back(
            {std::string(line.substr(0, equals)), strtab_UnescapeText(line.substr(equals + 1))});
    }
    return true;
}

std::string strtab_FormatSource(const StrtabSource& source) {
    std::string out;
    bool first = true;
    for (const StrtabSourceSection& section : source.sections) {
        if (!first) out += '\n';
        first = false;
        out += '[';
        out += section.name;
        out += "]\n";
        for (const StrtabSourceKey& key : section.keys) {
            out += key.name;
            out += '=';
            out += strtab_EscapeText(key.text);
            out += '\n';
        }
    }
    return out;
}

StrtabSource strtab_ToSource(const StringTable* table) {
    StrtabSource source;
    if (table == nullptr) return source;
    StrtabSectionView view;
    for (uint32_t s = 0; strtab_Section(table, s, &view); ++s)
        source.sections.push_back({view.name, {}});
    strtab_ForEach(table, [&](uint32_t s, const char*, uint32_t, const char* key, const char* text) {
        source.sections[s].keys.push_back({key, text ? text : ""});
    });
    return source;
}

std::string strtab_DumpSource(const StringTable* table) {
    return strtab_FormatSource(strtab_ToSource(table));
}

bool strtab_Build(const StrtabSource& source, std::vector<uint8_t>& bytes, std::string* error) {
    auto fail = [&](const std::string& message) {
        if (error) *error = message;
        return false;
    };
    uint64_t record_count = 0;
    for (const StrtabSourceSection& section : source.sections) {
        if (hasNul(section.name)) return fail("section name holds a NUL byte");
        for (const StrtabSourceKey& key : section.keys) {
            if (hasNul(key.name) || hasNul(key.text))
                return fail("key or text holds a NUL byte in [" + section.name + "]");
        }
        record_count += section.keys.size();
    }
    if (record_count > (UINT32_MAX - kStrtabHeaderSize) / kStrtabRecordSize) return fail("too many keys");

    bytes.clear();
    strtab_AppendWord(bytes, 0);
    strtab_AppendWord(bytes, 0); // directory offset, set below
    strtab_AppendWord(bytes, 0);
    strtab_AppendWord(bytes, static_cast<uint32_t>(record_count));

    // Records, then the strings they point at, in the same order.
    std::vector<uint8_t> strings;
    for (const StrtabSourceSection& section : source.sections) {
        for (const StrtabSourceKey& key : section.keys) {
            if (strings.size() > UINT32_MAX) return fail("table too large");
            strtab_AppendWord(bytes, static_cast<uint32_t>(strings.size()));
            strtab_AppendWord(bytes, 0);
            strtab_AppendWord(bytes, 0);
            strtab_AppendWord(bytes, 0);
            strings.insert(strings.end(), key.text.begin(), key.text.end());
            strings.push_back(0);
        }
    }
    bytes.insert(bytes.end(), strings.begin(), strings.end());
    while (bytes.size() % 4 != 0)
        bytes.push_back(0);
    const uint64_t directory = bytes.size();

    // Directory: count, pairs, section names, then every section's key names.
    const uint64_t pairs = directory + kStrtabDirectoryCountSize;
    strtab_AppendWord(bytes, static_cast<uint32_t>(source.sections.size()));
    const size_t first_pair = bytes.size();
    bytes.resize(bytes.size() + kStrtabPairSize * source.sections.size(), 0);
    for (const StrtabSourceSection& section : source.sections) {
        bytes.insert(bytes.end(), section.name.begin(), section.name.end());
        bytes.push_back(0);
    }
    for (size_t s = 0; s < source.sections.size(); ++s) {
        const StrtabSourceSection& section = source.sections[s];
        const uint64_t key_names = bytes.size() - pairs;
        if (key_names > UINT32_MAX || section.keys.size() > UINT32_MAX) return fail("table too large");
        strtab_PutWord(bytes, first_pair + kStrtabPairSize * s, static_cast<uint32_t>(key_names));
        strtab_PutWord(bytes, first_pair + kStrtabPairSize * s + 4,
                       static_cast<uint32_t>(section.keys.size()));
        for (const StrtabSourceKey& key : section.keys) {
            bytes.insert(bytes.end(), key.name.begin(), key.name.end());
            bytes.push_back(0);
        }
    }
    if (bytes.size() > UINT32_MAX || directory > UINT32_MAX) return fail("table too large");
    strtab_PutWord(bytes, kStrtabHeaderDirectoryOffset, static_cast<uint32_t>(directory));
    return true;
}

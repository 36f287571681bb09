#include "gamedata/pff_writer.h"

#include "foundation/atomic_file.h"
#include "gamedata/pff_archive.h"

#include <cstring>

namespace {
// Written in the two header words the reader does not use: a format revision and the record size.
constexpr uint32_t kPffRevision = 3;

void putLe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void setLe32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

bool fail(std::string* error, std::string text) {
    if (error != nullptr) *error = std::move(text);
    return false;
}
} // namespace

std::vector<uint8_t> pff_BuildArchive(const std::vector<PffWriterEntry>& entries, std::string* error) {
    uint64_t total = kPffHeaderSize + static_cast<uint64_t>(entries.size()) * kPffRecordSize;
    for (const PffWriterEntry& entry : entries) {
        if (entry.name.empty() || entry.name.size() > kPffNameSize ||
            entry.name.find('\0') != std::string::npos) {
            fail(error, "entry name must have 1 to 16 characters: '" + entry.name + "'");
            return {};
        }
        total += entry.data.size();
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (pff_NamesEqual(entries[j].name, entries[i].name)) {
                fail(error, "two entries are named '" + entries[j].name + "' and '" + entries[i].name +
                                "'; the archive's lookup does not tell them apart");
                return {};
            }
        }
    }
    if (total > UINT32_MAX) {
        fail(error, "archive larger than 4 GiB");
        return {};
    }
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(total));
    putLe32(out, kPffHeaderSize);
    putLe32(out, kPffRevision);
    putLe32(out, static_cast<uint32_t>(entries.size()));
    putLe32(out, kPffRecordSize);
    putLe32(out, 0); // directory offset, known once the data is written

    std::vector<uint32_t> offsets;
    for (const PffWriterEntry& entry : entries) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        size_t start = out.size();
        out.insert(out.end(), entry.data.begin(), entry.data.end());
        if (entry.scrambled) pff_Unscramble(out.data() + start, entry.data.size());
    }
    setLe32(out, 16, static_cast<uint32_t>(out.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        putLe32(out, entries[i].scrambled ? kPffScrambledFlag : 0);
        putLe32(out, offsets[i]);
        putLe32(out, static_cast<uint32_t>(entries[i].data.size()));
        putLe32(out, 0);
        uint8_t name[kPffNameSize] = {};
        std::memcpy(name, entries[i].name.data(), entries[i].name.size());
        out.insert(out.end(), name, name + kPffNameSize);
    }
    if (error != nullptr) error->clear();
    return out;
}

bool pff_WriteArchive(const char* path, const std::vector<PffWriterEntry>& entries, std::string* error) {
    std::string problem;
    std::vector<uint8_t> bytes = pff_BuildArchive(entries, &problem);
    if (!problem.empty()) return fail(error, problem);
    FileFailure failure;
    if (!file_WriteWhole(path, bytes.data(), bytes.size(), &failure))
        return fail(error, std::string("cannot write ") + (path != nullptr ? path : "") + ": " +
                               file_FailureText(failure));
    return true;
}

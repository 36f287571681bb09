#pragma once
// Writer of packed archives in the form pff_archive.h reads: the header, the entries' data in
// order, then the directory. Used by the qzdata tool, the demo builder and tests.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PffWriterEntry {
    std::string name;          // 1 to 16 characters; may carry a directory part
    std::vector<uint8_t> data; // the bytes a whole-entry load gives back
    bool scrambled = false;    // stored scrambled (flags bit 16)
};

// The archive as bytes. Empty with `error` set when a name is empty or longer than 16
// characters, when two entries have the same name to the archive's lookup (pff_NamesEqual:
// only the first could ever be found), or the archive would not fit the format's 32-bit offsets.
std::vector<uint8_t> pff_BuildArchive(const std::vector<PffWriterEntry>& entries,
                                      std::string* error = nullptr);
// Builds the archive and writes it to `path` (foundation/atomic_file.h). False on any failure,
// with the reason in `error`.
bool pff_WriteArchive(const char* path, const std::vector<PffWriterEntry>& entries,
                      std::string* error = nullptr);

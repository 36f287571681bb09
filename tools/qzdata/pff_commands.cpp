// qzdata pff-list, pff-extract and pff-pack: packed archives.
#include "../tool_command.h"

#include "foundation/atomic_file.h"
#include "foundation/file_access.h"
#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"
#include "gamedata/pff_writer.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
PffArchive* openArchive(const std::string& path) {
    PffArchive* archive = pff_Open(path.c_str());
    if (archive == nullptr) std::fprintf(stderr, "qzdata: cannot read archive %s\n", path.c_str());
    return archive;
}

int runList(const ToolContext&, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: qzdata pff-list ARCHIVE.pff\n");
        return 2;
    }
    PffArchive* archive = openArchive(args[0]);
    if (archive == nullptr) return 1;
    for (uint32_t i = 0; i < archive->entryCount; ++i) {
        const PffRecord& record = archive->directory[i];
        std::printf("%s\t%u\t%s\n", pff_RecordName(record).c_str(), record.size,
                    (record.flags & kPffScrambledFlag) ? "scrambled" : "plain");
        if (static_cast<int64_t>(record.offset) + record.size > archive->fileSize)
            std::fprintf(stderr, "qzdata: entry %s lies past the end of the archive\n",
                         pff_RecordName(record).c_str());
    }
    pff_Close(archive);
    return 0;
}

int runExtract(const ToolContext&, const std::vector<std::string>& args) {
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: qzdata pff-extract ARCHIVE.pff NAME OUT\n");
        return 2;
    }
    PffArchive* archive = openArchive(args[0]);
    if (archive == nullptr) return 1;
    void* data = pff_Load(archive, args[1].c_str());
    if (data == nullptr) {
        std::fprintf(stderr, "qzdata: no entry %s in %s\n", args[1].c_str(), args[0].c_str());
        pff_Close(archive);
        return 1;
    }
    bool written = file_WriteWhole(args[2].c_str(), data, static_cast<size_t>(archive->lastSize));
    mem_FreeMem(data);
    pff_Close(archive);
    if (!written) {
        std::fprintf(stderr, "qzdata: cannot write %s\n", args[2].c_str());
        return 1;
    }
    return 0;
}

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int runPack(const ToolContext&, const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: qzdata pff-pack ARCHIVE.pff [--scramble] FILE...\n");
        return 2;
    }
    std::vector<PffWriterEntry> entries;
    bool scramble = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--scramble") {
            scramble = true;
            continue;
        }
        std::ifstream in(args[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "qzdata: cannot read %s\n", args[i].c_str());
            return 1;
        }
        PffWriterEntry entry;
        entry.name = baseName(args[i]);
        entry.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            std::fprintf(stderr, "qzdata: cannot read %s\n", args[i].c_str());
            return 1;
        }
        entry.scrambled = scramble;
        entries.push_back(std::move(entry));
    }
    std::string error;
    std::vector<uint8_t> bytes = pff_BuildArchive(entries, &error);
    if (!error.empty()) {
        std::fprintf(stderr, "qzdata: %s\n", error.c_str());
        return 2;
    }
    if (!file_WriteWhole(args[0].c_str(), bytes.data(), bytes.size())) {
        std::fprintf(stderr, "qzdata: cannot write %s\n", args[0].c_str());
        return 1;
    }
    return 0;
}

const ToolCommand kList("pff-list", "ARCHIVE.pff", runList);
const ToolCommand kExtract("pff-extract", "ARCHIVE.pff NAME OUT", runExtract);
const ToolCommand kPack("pff-pack", "ARCHIVE.pff [--scramble] FILE...", runPack);
} // namespace

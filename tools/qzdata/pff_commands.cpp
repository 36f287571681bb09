// qzdata pff-list, pff-extract and pff-pack: packed archives.
#include "../tool_command.h"

#include "foundation/mem_arena.h"
#include "gamedata/pff_archive.h"
#include "gamedata/pff_writer.h"
#include "qzdata_files.h"

#include <cstdio>

namespace {
PffArchive* openArchive(const std::string& path) {
    if (!qzdata_CheckInput(path)) return nullptr;
    PffArchive* archive = pff_Open(path.c_str());
    if (archive == nullptr)
        std::fprintf(stderr, "qzdata: %s is not a readable archive\n", qzdata_ShownPath(path).c_str());
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
    if (!tool_CheckOutputName("qzdata", args[2])) return 2;
    PffArchive* archive = openArchive(args[0]);
    if (archive == nullptr) return 1;
    void* data = pff_Load(archive, args[1].c_str());
    if (data == nullptr) {
        std::fprintf(stderr, "qzdata: no entry %s in %s\n", args[1].c_str(),
                     qzdata_ShownPath(args[0]).c_str());
        pff_Close(archive);
        return 1;
    }
    const bool written = qzdata_WriteOutput(args[2], data, static_cast<size_t>(archive->lastSize));
    mem_FreeMem(data);
    pff_Close(archive);
    return written ? 0 : 1;
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
    if (!tool_CheckOutputName("qzdata", args[0])) return 2;
    std::vector<PffWriterEntry> entries;
    bool scramble = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--scramble") {
            scramble = true;
            continue;
        }
        std::string bytes;
        if (!qzdata_ReadInput(args[i], bytes)) return 1;
        PffWriterEntry entry;
        entry.name = baseName(args[i]);
        entry.data.assign(bytes.begin(), bytes.end());
        entry.scrambled = scramble;
        entries.push_back(std::move(entry));
    }
    std::string error;
    std::vector<uint8_t> bytes = pff_BuildArchive(entries, &error);
    if (!error.empty()) {
        std::fprintf(stderr, "qzdata: %s\n", error.c_str());
        return 2;
    }
    return qzdata_WriteOutput(args[0], bytes.data(), bytes.size()) ? 0 : 1;
}

const ToolCommand kList("pff-list", "ARCHIVE.pff", runList);
const ToolCommand kExtract("pff-extract", "ARCHIVE.pff NAME OUT", runExtract);
const ToolCommand kPack("pff-pack", "ARCHIVE.pff [--scramble] FILE...", runPack);
} // namespace

// qzdata strtab-dump TABLE.bin and qzdata strtab-build SOURCE.txt TABLE.bin.
#include "../tool_command.h"

#include "gamedata/string_table.h"
#include "gamedata/string_table_writer.h"
#include "qzdata_files.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

int runDump(const ToolContext&, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: qzdata strtab-dump TABLE.bin\n");
        return kExitUsage;
    }
    std::string bytes;
    if (!qzdata_ReadInput(args[0], bytes)) return kExitFile;
    StringTable* table = strtab_Open(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (table == nullptr) {
        std::fprintf(stderr, "qzdata: %s is not a valid string table\n", qzdata_ShownPath(args[0]).c_str());
        return kExitFile;
    }
    const std::string source = strtab_DumpSource(table);
    strtab_Free(table);
    if (std::fwrite(source.data(), 1, source.size(), stdout) != source.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "qzdata: cannot write the source\n");
        return kExitFile;
    }
    return kExitOk;
}

int runBuild(const ToolContext&, const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qzdata strtab-build SOURCE.txt TABLE.bin\n");
        return kExitUsage;
    }
    if (!tool_CheckOutputName("qzdata", args[1])) return kExitUsage;
    std::string text;
    if (!qzdata_ReadInput(args[0], text)) return kExitFile;
    StrtabSource source;
    std::string error;
    if (!strtab_ParseSource(text, source, &error)) {
        std::fprintf(stderr, "qzdata: %s: %s\n", qzdata_ShownPath(args[0]).c_str(), error.c_str());
        return kExitFile;
    }
    std::vector<uint8_t> bytes;
    if (!strtab_Build(source, bytes, &error)) {
        std::fprintf(stderr, "qzdata: %s: %s\n", qzdata_ShownPath(args[0]).c_str(), error.c_str());
        return kExitFile;
    }
    return qzdata_WriteOutput(args[1], bytes.data(), bytes.size()) ? kExitOk : kExitFile;
}

const ToolCommand kDump("strtab-dump", "TABLE.bin                 prints the table as text source", runDump);
const ToolCommand kBuild("strtab-build", "SOURCE.txt TABLE.bin     builds a table from text source",
                         runBuild);

} // namespace

#include "qzdata_files.h"

#include "foundation/atomic_file.h"
#include "foundation/file_identity.h"
#include "foundation/loose_read.h"
#include "gamedata/game_data_setup.h"

#include <cstdio>

namespace {
void printFailure(const char* verb, const std::string& path, const FileFailure& failure) {
    std::fprintf(stderr, "qzdata: cannot %s %s: %s\n", verb, qzdata_ShownPath(path).c_str(),
                 file_FailureText(failure).c_str());
}
} // namespace

std::string qzdata_ShownPath(const std::string& path) {
    return gamedata_AbsolutePath(path);
}

bool qzdata_CheckInput(const std::string& path) {
    FileFailure failure;
    if (!file_CheckReadable(path.c_str(), &failure)) {
        printFailure("read", path, failure);
        return false;
    }
    file_ProtectInput(path.c_str());
    return true;
}

bool qzdata_ReadInput(const std::string& path, std::string& bytes) {
    FileFailure failure;
    if (!file_ReadLooseWhole(path.c_str(), bytes, &failure)) {
        printFailure("read", path, failure);
        return false;
    }
    file_ProtectInput(path.c_str());
    return true;
}

bool qzdata_WriteOutput(const std::string& path, const void* data, size_t size) {
    FileFailure failure;
    if (file_WriteWhole(path.c_str(), data, size, &failure)) return true;
    printFailure("write", path, failure);
    return false;
}

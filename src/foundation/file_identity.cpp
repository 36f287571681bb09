#include "foundation/file_identity.h"

#include "foundation/file_access.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {
std::vector<FileIdentity> g_inputs;
} // namespace

FileIdentity file_IdentityOf(const char* path) {
    FileIdentity identity;
    if (path == nullptr) return identity;
    const std::string resolved = file_ResolveLoose(path);
    struct stat info {};
    if (resolved.empty() || ::stat(resolved.c_str(), &info) != 0) return identity;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.known = true;
    return identity;
}

void file_ProtectInput(const char* path) {
    const FileIdentity identity = file_IdentityOf(path);
    if (identity.known && !file_IsProtectedInput(identity)) g_inputs.push_back(identity);
}

bool file_IsProtectedInput(const FileIdentity& identity) {
    for (const FileIdentity& input : g_inputs)
        if (input.sameFile(identity)) return true;
    return false;
}

void file_ClearProtectedInputs() {
    g_inputs.clear();
}

#include "editor/file_paths.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// True when the last part of `path` has an extension: a dot after its first character
// (".hidden" has none, "a." has an empty one).
bool hasExtension(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string::size_type dot = path.rfind('.');
    return dot != std::string::npos && dot > nameStart;
}

} // namespace

std::string file_FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string file_ChooserStart(const std::string& pageFile) {
    const std::string folder = file_FolderOf(pageFile);
    if (folder.empty() || !isDirectory(folder)) return {};
    return folder;
}

std::string file_SaveChooserStart(const std::string& pageFile) {
    if (file_ChooserStart(pageFile).empty() || pageFile.back() == '/') return {};
    return pageFile;
}

OpenTarget file_ResolveOpenPath(const std::string& chosen, const std::string& defaultExtension) {
    if (chosen.empty()) return {};
    if (hasExtension(chosen) || defaultExtension.empty()) return {chosen, isRegularFile(chosen)};
    const std::string withExtension = chosen + "." + defaultExtension;
    if (isRegularFile(withExtension)) return {withExtension, true};
    if (isRegularFile(chosen)) return {chosen, true};
    return {withExtension, false};
}

std::string file_WholePath(const std::string& field, size_t fieldLimit, const std::string& stored) {
    if (field.empty()) return {};
    if (!stored.empty() && stored.compare(0, fieldLimit, field) == 0 &&
        field.size() == std::min(stored.size(), fieldLimit))
        return stored;
    return field.size() < fieldLimit ? field : std::string();
}

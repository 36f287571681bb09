// Loose paths from a case-insensitive world on a case-sensitive disk, and path splitting.
#include "foundation/file_access.h"

#include <algorithm>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {
bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

bool hasDrive(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.empty() ? "." : path.c_str(), &info) == 0;
}

// The drive prefix dropped and every "\" turned into "/".
std::string toPosix(const char* path) {
    std::string_view view(path);
    if (hasDrive(view)) view.remove_prefix(2);
    std::string result(view);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

// The entry of `directory` whose name equals `name` without regard to letter case. Several
// spellings can exist side by side on disk; the smallest in byte order is taken, so the answer
// does not depend on the order the directory lists them in.
std::string findIgnoringCase(const std::string& directory, std::string_view name) {
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (dir == nullptr) return {};
    std::string best;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view candidate(entry->d_name);
        if (!equalsIgnoringCase(candidate, name)) continue;
        if (best.empty() || candidate < best) best = std::string(candidate);
    }
    ::closedir(dir);
    return best;
}

std::string join(const std::string& directory, std::string_view name) {
    if (directory.empty()) return std::string(name);
    if (directory.back() == '/') return directory + std::string(name);
    return directory + "/" + std::string(name);
}

// Resolves the components of `posix` one by one. Returns false when a component is found nowhere.
bool resolveComponents(const std::string& posix, std::string& resolved) {
    resolved = (!posix.empty() && posix[0] == '/') ? "/" : "";
    size_t start = 0;
    while (start <= posix.size()) {
        size_t end = posix.find('/', start);
        if (end == std::string::npos) end = posix.size();
        std::string_view part(posix.data() + start, end - start);
        start = end + 1;
        if (part.empty()) continue;
        if (part == "." || part == "..") {
            resolved = join(resolved, part);
            continue;
        }
        std::string exact = join(resolved, part);
        if (exists(exact)) {
            resolved = exact;
            continue;
        }
        std::string spelled = findIgnoringCase(resolved, part);
        if (spelled.empty()) return false;
        resolved = join(resolved, spelled);
    }
    return true;
}
} // namespace

std::string file_ResolveLoose(const char* path) {
    if (path == nullptr || path[0] == '\0') return {};
    std::string posix = toPosix(path);
    if (posix.empty()) return {};
    if (exists(posix)) return posix;
    std::string resolved;
    if (!resolveComponents(posix, resolved) || resolved.empty()) return {};
    return resolved;
}

std::string file_ResolveForCreate(const char* path) {
    if (path == nullptr || path[0] == '\0') return {};
    std::string posix = toPosix(path);
    size_t slash = posix.rfind('/');
    std::string directory = slash == std::string::npos ? "" : posix.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? posix : posix.substr(slash + 1);
    std::string resolvedDir = directory;
    if (!directory.empty() && !exists(directory)) {
        std::string found;
        // A directory found nowhere stays as given, so the create fails there as it should.
        if (resolveComponents(directory, found)) resolvedDir = found;
    }
    if (name.empty()) return resolvedDir;
    std::string exact = join(resolvedDir, name);
    if (exists(exact)) return exact;
    std::string spelled = findIgnoringCase(resolvedDir, name);
    return join(resolvedDir, spelled.empty() ? std::string_view(name) : std::string_view(spelled));
}

const char* file_PathParts(const char* path, int mask) {
    static std::string result;
    std::string_view view(path != nullptr ? path : "");
    std::string_view drive;
    if (hasDrive(view)) {
        drive = view.substr(0, 2);
        view.remove_prefix(2);
    }
    size_t lastSeparator = std::string_view::npos;
    for (size_t i = 0; i < view.size(); ++i) {
        if (isSeparator(view[i])) lastSeparator = i;
    }
    std::string_view directory =
        lastSeparator == std::string_view::npos ? std::string_view() : view.substr(0, lastSeparator + 1);
    std::string_view file = lastSeparator == std::string_view::npos ? view : view.substr(lastSeparator + 1);
    size_t dot = file.rfind('.');
    std::string_view name = dot == std::string_view::npos ? file : file.substr(0, dot);
    std::string_view extension = dot == std::string_view::npos ? std::string_view() : file.substr(dot);
    result.clear();
    if (mask & 1) result += drive;
    if (mask & 2) result += directory;
    if (mask & 4) result += name;
    if (mask & 8) result += extension;
    return result.c_str();
}

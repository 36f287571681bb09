#pragma once
// Writes a file so that a failure never destroys the previous one: the bytes go to a temporary
// file beside the target, which is renamed over the target only when every byte was written.

#include <cstddef>
#include <cstdio>
#include <string>

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile(); // a file never committed is discarded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Opens the temporary file for `path` (a loose path as file_ResolveForCreate takes it).
    bool open(const char* path);
    bool write(const void* data, size_t size);
    bool write(const std::string& text) { return write(text.data(), text.size()); }
    // printf-style text; false once anything failed.
    bool printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Flushes, syncs and renames over the target. False if any step (or any earlier write) failed;
    // the target then keeps its previous contents.
    bool commit();
    void discard();
    bool ok() const { return file_ != nullptr && !failed_; }
    const std::string& targetPath() const { return target_; }

private:
    std::FILE* file_ = nullptr;
    std::string target_;
    std::string temp_;
    bool failed_ = false;
};

// Writes `size` bytes to `path` through an AtomicFile.
bool file_WriteWhole(const char* path, const void* data, size_t size);

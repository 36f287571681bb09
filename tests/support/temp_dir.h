#pragma once
// A fresh directory under the system temporary folder, removed with everything in it at the end.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The absolute path of `relative` inside the directory.
    std::string path(std::string_view relative) const;
    // Writes a file (making its folders); returns its absolute path.
    std::string write(std::string_view relative, std::string_view bytes) const;
    std::string write(std::string_view relative, const std::vector<uint8_t>& bytes) const;

  private:
    std::string path_;
};

// The whole contents of a file; empty when it cannot be read.
std::string test_ReadFile(const std::string& path);
std::vector<uint8_t> test_ReadBytes(const std::string& path);

struct CommandResult {
    int status = -1;    // exit status, or -1 when the command did not run or died
    std::string output; // standard output
};
// Runs a shell command, capturing its standard output (standard error passes through unless the
// command redirects it).
CommandResult test_Run(const std::string& command);
// Quotes a string for the shell.
std::string test_Quote(std::string_view text);

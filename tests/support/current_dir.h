#pragma once
// Makes a directory the current one for the life of the object (the file layer resolves loose
// names against the current directory, as the editor does in its game directory).

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

class ScopedCurrentDir {
  public:
    explicit ScopedCurrentDir(const std::string& dir) {
        char buffer[4096];
        if (::getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
        EXPECT_EQ(::chdir(dir.c_str()), 0) << dir;
    }
    ~ScopedCurrentDir() {
        if (!previous_.empty()) (void)::chdir(previous_.c_str());
    }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

  private:
    std::string previous_;
};

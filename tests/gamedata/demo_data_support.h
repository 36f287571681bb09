#pragma once
// Access to the text sources of the demo game directory (demo/ in the source tree) for the tests
// that check them against the loaders.

#include "gamedata/string_table.h"
#include "gamedata/string_table_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// The absolute path of a file under demo/.
inline std::string demo_Path(const std::string& relative) {
    return std::string(QZ_SOURCE_DIR) + "/demo/" + relative;
}

// The whole demo file; a failed expectation (and an empty string) when it is missing.
inline std::string demo_Read(const std::string& relative) {
    std::string text = test_ReadFile(demo_Path(relative));
    EXPECT_FALSE(text.empty()) << "missing or empty: demo/" << relative;
    return text;
}

// A string table built from a demo text source, kept open for lookups.
class DemoTable {
  public:
    explicit DemoTable(const std::string& relative) {
        std::string error;
        parsed_ = strtab_ParseSource(demo_Read(relative), source_, &error);
        EXPECT_TRUE(parsed_) << relative << ": " << error;
        if (!parsed_) return;
        EXPECT_TRUE(strtab_Build(source_, bytes_, &error)) << relative << ": " << error;
        table_ = strtab_Open(bytes_.data(), bytes_.size());
        EXPECT_NE(table_, nullptr) << relative;
    }
    ~DemoTable() { strtab_Free(table_); }
    DemoTable(const DemoTable&) = delete;
    DemoTable& operator=(const DemoTable&) = delete;

    const StrtabSource& source() const { return source_; }
    const StringTable* table() const { return table_; }

  private:
    bool parsed_ = false;
    StrtabSource source_;
    std::vector<uint8_t> bytes_;
    StringTable* table_ = nullptr;
};

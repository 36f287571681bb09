#include "foundation/error_log.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <unistd.h>

namespace {
// Runs each test in a fresh current directory, where the log is written.
class ErrorLogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override {
        errorlog_SetEnabled(false);
        ASSERT_EQ(chdir(previous_), 0);
    }
    TempDir dir;
    char previous_[4096];
};
} // namespace

TEST_F(ErrorLogTest, SwitchedOffCreatesNoFile) {
    errorlog_SetEnabled(false);
    errorlog_Write("Item Defs - Out of Memory!");
    EXPECT_FALSE(std::filesystem::exists(dir.path(kErrorLogFileName)));
}

TEST_F(ErrorLogTest, TwoWritesAppendTwoStampedLines) {
    errorlog_SetEnabled(true);
    errorlog_Write("Item Defs - Out of Memory!");
    errorlog_Write("second %% done %s");
    std::string log = test_ReadFile(dir.path(kErrorLogFileName));
    // Month, day, year and hour without leading zeros; minutes and seconds with two digits.
    const std::string stamp = R"( - [1-9][0-9]?/[1-9][0-9]?/[0-9]{4}, ([1-9]?[0-9]):[0-5][0-9]:[0-5][0-9]\n)";
    std::regex expected("Item Defs - Out of Memory!" + stamp + "second % done %s" + stamp);
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

TEST_F(ErrorLogTest, AppendsToAnExistingLog) {
    dir.write(kErrorLogFileName, "earlier\n");
    errorlog_SetEnabled(true);
    errorlog_Write("later");
    std::string log = test_ReadFile(dir.path(kErrorLogFileName));
    EXPECT_EQ(log.rfind("earlier\nlater - ", 0), 0u) << log;
}

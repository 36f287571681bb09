// Golden cases: tests/mission/metafile/<case>/input.mis opened and saved again must give
// expected.mis (header date fixed). The expected files come from metafile_reference.py.
#include "metafile_test_util.h"
#include "support/test_item_defs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

const std::string kGoldenDir = std::string(QZ_TESTS_DIR) + "/mission/metafile";

std::vector<std::string> goldenCases() {
    std::vector<std::string> cases;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kGoldenDir, error))
        if (entry.is_directory()) cases.push_back(entry.path().filename().string());
    std::sort(cases.begin(), cases.end());
    return cases;
}

class MetafileGolden : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override { test_LoadItemDefs(); }
};

TEST_P(MetafileGolden, ResavedFileEqualsExpected) {
    const std::string folder = kGoldenDir + "/" + GetParam();
    auto page = std::make_unique<MissionPage>();
    ASSERT_EQ(metafile_Load(*page, (folder + "/input.mis").c_str()), 1);
    const std::string expected = test_ReadFile(folder + "/expected.mis");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(firstDifference(formatPage(*page), expected), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, MetafileGolden, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<std::string>& case_info) {
                             return case_info.param;
                         });

TEST(MetafileGoldenCases, ArePresent) {
    EXPECT_GE(goldenCases().size(), 6u);
}

} // namespace

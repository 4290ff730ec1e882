// The one way tests step aside when a prerequisite is missing: a skip in a developer's partial
// tree, a failure in runs that promise everything (QS_REQUIRE_MEDIA=1).
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "tests/support/RequireMedia.h"

namespace {

bool reachedAfterMissing = false;

void StepAsideForMissingTool(int number) {
  reachedAfterMissing = false;
  QS_SKIP_MISSING("tool " << number << " not installed");
  reachedAfterMissing = true;
}

TEST(RequireMedia, MissingPrerequisiteSkipsInADevelopersTreeAndFailsWhenTheRunRequiresAll) {
  const char* const run = std::getenv("QS_REQUIRE_MEDIA");
  const std::string saved = run != nullptr ? run : "";
  const std::pair<const char*, bool> kFailsFor[] = {
      {nullptr, false}, {"", false}, {"0", false}, {"1", true}, {"yes", true}};
  for (const auto& [value, fails] : kFailsFor) {
    SCOPED_TRACE(value ? value : "(unset)");
    value ? setenv("QS_REQUIRE_MEDIA", value, 1) : unsetenv("QS_REQUIRE_MEDIA");
    testing::TestPartResultArray results;
    {
      testing::ScopedFakeTestPartResultReporter reporter(
          testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
      StepAsideForMissingTool(7);
    }
    EXPECT_EQ(results.size(), 1);
    if (results.size() != 1) continue;
    EXPECT_EQ(results.GetTestPartResult(0).skipped(), !fails);
    EXPECT_EQ(results.GetTestPartResult(0).fatally_failed(), fails);
    EXPECT_NE(std::string(results.GetTestPartResult(0).message()).find("tool 7 not installed"),
              std::string::npos);
    EXPECT_FALSE(reachedAfterMissing) << "stepping aside must end the test";
  }
  run != nullptr ? setenv("QS_REQUIRE_MEDIA", saved.c_str(), 1) : unsetenv("QS_REQUIRE_MEDIA");
}

}  // namespace

// Checks the one way tests step aside when a prerequisite is missing: a skip for a developer's
// partial tree, a failure in runs that promise everything (QS_REQUIRE_MEDIA=1).
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "tests/support/RequireMedia.h"

namespace {

// Sets or clears QS_REQUIRE_MEDIA for one test and puts back what the run had.
class RequireMediaVariable {
public:
  explicit RequireMediaVariable(const char* value) {
    if (const char* old = std::getenv("QS_REQUIRE_MEDIA")) saved_ = old;
    if (value)
      setenv("QS_REQUIRE_MEDIA", value, 1);
    else
      unsetenv("QS_REQUIRE_MEDIA");
  }
  ~RequireMediaVariable() {
    if (saved_)
      setenv("QS_REQUIRE_MEDIA", saved_->c_str(), 1);
    else
      unsetenv("QS_REQUIRE_MEDIA");
  }
  RequireMediaVariable(const RequireMediaVariable&) = delete;
  RequireMediaVariable& operator=(const RequireMediaVariable&) = delete;

private:
  std::optional<std::string> saved_;
};

bool reachedAfterMissing = false;

void StepAsideForMissingTool(int number) {
  reachedAfterMissing = false;
  QS_SKIP_MISSING("tool " << number << " not installed");
  reachedAfterMissing = true;
}

void RecordOutcome(testing::TestPartResultArray* results) {
  testing::ScopedFakeTestPartResultReporter reporter(
      testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, results);
  StepAsideForMissingTool(7);
}

TEST(RequireMedia, MissingPrerequisiteSkipsInADevelopersTreeAndFailsWhenTheRunRequiresAll) {
  struct Case {
    const char* value;
    bool fails;
  };
  for (const Case& c :
       {Case{nullptr, false}, {"", false}, {"0", false}, {"1", true}, {"yes", true}}) {
    SCOPED_TRACE(c.value ? c.value : "(unset)");
    RequireMediaVariable variable(c.value);
    testing::TestPartResultArray results;
    RecordOutcome(&results);
    ASSERT_EQ(results.size(), 1);
    const testing::TestPartResult& result = results.GetTestPartResult(0);
    EXPECT_EQ(result.skipped(), !c.fails);
    EXPECT_EQ(result.fatally_failed(), c.fails);
    EXPECT_NE(std::string(result.message()).find("tool 7 not installed"), std::string::npos);
    EXPECT_FALSE(reachedAfterMissing) << "stepping aside must end the test";
  }
}

}  // namespace

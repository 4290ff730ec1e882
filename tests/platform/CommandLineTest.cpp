// Checks option parsing: accepted forms, value limits, and the exit codes and texts of --help,
// --version and mistakes.
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

CommandLineResult Parse(std::initializer_list<const char*> rest) {
  std::vector<const char*> args{"quenbry-solitaire"};
  args.insert(args.end(), rest.begin(), rest.end());
  return ParseCommandLine(args);
}

void ExpectUsageError(std::initializer_list<const char*> rest) {
  CommandLineResult r = Parse(rest);
  EXPECT_FALSE(r.run);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("Usage: quenbry-solitaire"), std::string::npos) << r.err;
}

}  // namespace

TEST(CommandLine, NoArgumentsRunWithDefaults) {
  CommandLineResult r = Parse({});
  EXPECT_TRUE(r.run);
  EXPECT_FALSE(r.options.fullscreen);
  EXPECT_EQ(r.options.scale, 1);
  EXPECT_TRUE(r.options.dataDir.empty());
  EXPECT_FALSE(r.options.hasSeed);
  EXPECT_FALSE(r.options.demoToolkit);
  EXPECT_FALSE(r.options.exitAtTitle);
  EXPECT_TRUE(r.out.empty());
  EXPECT_TRUE(r.err.empty());
}

TEST(CommandLine, EveryOptionIsRead) {
  CommandLineResult r = Parse({"--fullscreen", "--scale", "3", "--data-dir", "/opt/q media",
                               "--seed", "4294967295", "--demo-toolkit", "--exit-at-title"});
  ASSERT_TRUE(r.run) << r.err;
  EXPECT_TRUE(r.options.fullscreen);
  EXPECT_EQ(r.options.scale, 3);
  EXPECT_EQ(r.options.dataDir, "/opt/q media");
  EXPECT_TRUE(r.options.hasSeed);
  EXPECT_EQ(r.options.seed, 4294967295u);
  EXPECT_TRUE(r.options.demoToolkit);
  EXPECT_TRUE(r.options.exitAtTitle);
}

TEST(CommandLine, ValuesMayFollowAnEqualsSign) {
  CommandLineResult r = Parse({"--scale=8", "--seed=0", "--data-dir=media"});
  ASSERT_TRUE(r.run) << r.err;
  EXPECT_EQ(r.options.scale, 8);
  EXPECT_TRUE(r.options.hasSeed);
  EXPECT_EQ(r.options.seed, 0u);
  EXPECT_EQ(r.options.dataDir, "media");
}

TEST(CommandLine, HelpAndVersionPrintOnStdoutAndExitZero) {
  CommandLineResult help = Parse({"--help"});
  EXPECT_FALSE(help.run);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out, UsageText());
  EXPECT_TRUE(help.err.empty());

  CommandLineResult version = Parse({"--scale", "2", "--version"});
  EXPECT_FALSE(version.run);
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "quenbry-solitaire 0.1.0\n");
}

TEST(CommandLine, ScaleOutsideOneToEightIsRejected) {
  ExpectUsageError({"--scale", "0"});
  ExpectUsageError({"--scale", "9"});
  ExpectUsageError({"--scale", "-1"});
  ExpectUsageError({"--scale", "2x"});
  ExpectUsageError({"--scale", ""});
  ExpectUsageError({"--scale"});
}

TEST(CommandLine, SeedMustBeAnUnsigned32BitNumber) {
  ExpectUsageError({"--seed", "4294967296"});
  ExpectUsageError({"--seed", "-5"});
  ExpectUsageError({"--seed", "12 "});
  ExpectUsageError({"--seed"});
}

TEST(CommandLine, UnknownOptionsStrayArgumentsAndMisplacedValuesAreRejected) {
  ExpectUsageError({"--frobnicate"});
  ExpectUsageError({"-x"});
  ExpectUsageError({"game"});
  ExpectUsageError({"--fullscreen=yes"});
  ExpectUsageError({"--data-dir="});
  CommandLineResult r = Parse({"--frobnicate"});
  EXPECT_NE(r.err.find("--frobnicate"), std::string::npos);
}

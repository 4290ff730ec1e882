// Option parsing: accepted forms, value limits, and the exit codes and texts of --help, --version
// and mistakes.
#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CommandLineResult Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "quenbry-solitaire");
  return ParseCommandLine(args);
}

}  // namespace

TEST(CommandLine, EveryOptionIsReadAndNoneIsNeeded) {
  CommandLineResult r = Parse({});
  EXPECT_TRUE(r.run);
  EXPECT_FALSE(r.options.hasSeed);
  r = Parse({"--fullscreen", "--scale", "3", "--data-dir", "/opt/q media", "--seed", "4294967295",
             "--demo-toolkit", "--exit-at-title"});
  ASSERT_TRUE(r.run) << r.err;
  EXPECT_TRUE(r.options.fullscreen && r.options.demoToolkit && r.options.exitAtTitle);
  EXPECT_EQ(r.options.scale, 3);
  EXPECT_EQ(r.options.dataDir, "/opt/q media");
  EXPECT_TRUE(r.options.hasSeed);
  EXPECT_EQ(r.options.seed, 4294967295u);
  r = Parse({"--scale=8", "--seed=0"});
  ASSERT_TRUE(r.run) << r.err;
  EXPECT_EQ(r.options.scale, 8);
  EXPECT_TRUE(r.options.hasSeed);
}

TEST(CommandLine, HelpAndVersionPrintOnStdoutAndExitZero) {
  const CommandLineResult help = Parse({"--help"});
  EXPECT_FALSE(help.run);
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out, UsageText());
  EXPECT_TRUE(help.err.empty());
  const CommandLineResult version = Parse({"--scale", "2", "--version"});
  EXPECT_FALSE(version.run);
  EXPECT_EQ(version.exitCode, 0);
}

TEST(CommandLine, MistakesPrintTheUsageOnStderrAndExitTwo) {
  // Value limits, a value that is no number or missing, unknown words and values where none go.
  const std::vector<std::vector<const char*>> mistakes = {
      {"--scale", "0"},         {"--scale", "9"}, {"--scale", "2x"}, {"--scale"},
      {"--seed", "4294967296"}, {"--seed", "-5"}, {"--frobnicate"},  {"game"},
      {"--fullscreen=yes"},     {"--data-dir="}};
  for (const std::vector<const char*>& args : mistakes) {
    SCOPED_TRACE(testing::Message() << args[0] << " " << (args.size() > 1 ? args[1] : ""));
    const CommandLineResult r = Parse(args);
    EXPECT_FALSE(r.run);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("Usage: quenbry-solitaire"), std::string::npos) << r.err;
  }
  EXPECT_NE(Parse({"--frobnicate"}).err.find("--frobnicate"), std::string::npos);
}

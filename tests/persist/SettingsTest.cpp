// The settings calls: a value that cannot be read is written with its default at once, and where
// the store lies.
#include "persist/Settings.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "persist/Registry.h"
#include "tests/persist/TempConfigHome.h"

namespace {

using Settings = TempConfigHome;

}  // namespace

TEST_F(Settings, AMissingOrMistypedValueIsWrittenWithItsDefaultAndThenKept) {
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 3), 3);
  EXPECT_EQ(StoredDword("Klondike", "CardsDealt"), 3u);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 1), 3);
  WriteSettingDword("klondike", "cardsdealt", -1);
  EXPECT_EQ(ReadSettingDword("KLONDIKE", "CardsDealt", 1), -1);
  EXPECT_EQ(Stored().FindKey(Under("Klondike"))->values.size(), 1u);
  EXPECT_EQ(ReadSettingDword("", "AtTheRoot", 9), 9);

  WriteSettingString("Gate", "StartCard", "twelve");
  EXPECT_EQ(ReadSettingDword("Gate", "StartCard", -1), -1);
  EXPECT_EQ(StoredDword("Gate", "StartCard"), 0xffffffffu);
  EXPECT_EQ(ReadSettingString("Gate", "StartCard", "fallback"), "fallback");
  // Texts are read up to 299 characters, else replaced by the default.
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", ""), "");
  EXPECT_EQ(StoredText("Preferences", "HumanName"), "");
  WriteSettingString("Preferences", "HumanName", std::string(299, 'a'));
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "d"), std::string(299, 'a'));
  WriteSettingString("Preferences", "HumanName", std::string(300, 'a'));
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "d"), "d");
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "e"), "d");
}

// A regular file where the store's directory should be: nothing can be created below it.
TEST_F(Settings, AStoreThatCannotBeWrittenStillAnswersWithDefaults) {
  WriteText(home_ + "/file", "");
  ::setenv("XDG_CONFIG_HOME", (home_ + "/file").c_str(), 1);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 3), 3);
  WriteSettingDword("Klondike", "CardsDealt", 1);
  EXPECT_EQ(ReadSettingDword("Klondike", "CardsDealt", 2), 2);
  EXPECT_EQ(ReadSettingString("Preferences", "HumanName", "n"), "n");
}

// A relative XDG_CONFIG_HOME is ignored in favour of HOME; without an absolute HOME the password
// database gives the home; with no home at all nothing is written and values read as defaults.
TEST_F(Settings, TheStoreLiesUnderAnAbsoluteHomeOnly) {
  const struct passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  const std::string fromDatabase =
      std::string(user->pw_dir) + "/.config/quenbry-solitaire/registry.reg";
  const char* home = std::getenv("HOME");
  const std::optional<std::string> saved = home != nullptr ? std::optional(home) : std::nullopt;
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  ::setenv("HOME", home_.c_str(), 1);
  const std::string fromHome = Registry::DefaultFilePath();
  WriteSettingDword("Klondike", "CardsDealt", 2);
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "relative", 1);
  const std::string relative = Registry::DefaultFilePath();
  ::unsetenv("HOME");
  const std::string none = Registry::DefaultFilePath();
  if (saved) ::setenv("HOME", saved->c_str(), 1);
  EXPECT_EQ(fromHome, home_ + "/.config/quenbry-solitaire/registry.reg");
  EXPECT_TRUE(std::filesystem::exists(fromHome));
  EXPECT_EQ(relative, fromDatabase);
  EXPECT_EQ(none, fromDatabase);

  const Registry nowhere("");
  bool edited = false;
  EXPECT_FALSE(nowhere.Change([&](RegistryTree& tree) { edited = tree.SetDword("K", "V", 1); }));
  EXPECT_TRUE(edited);
  EXPECT_EQ(nowhere.Read(), RegistryTree());
}

// A user the password database does not know, with no home in the environment either, is told
// once that nothing is saved. Run as root, the test becomes such a user in a child process.
TEST_F(Settings, AUserWithoutAnyHomeIsToldOnceThatNothingIsSaved) {
  if (::getuid() != 0) {
    // Said, not skipped: the gate runs as root, and a developer's own run has nothing to show.
    std::fputs("not root: cannot become a user without a home; the warning is untested here\n",
               stderr);
    return;
  }
  uid_t stranger = 54321;
  while (::getpwuid(stranger) != nullptr) ++stranger;
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::dup2(pipeFds[1], STDERR_FILENO);
    ::unsetenv("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    if (::setuid(stranger) != 0) ::_exit(2);
    ::_exit(Registry::DefaultFilePath().empty() && Registry::DefaultFilePath().empty() ? 0 : 1);
  }
  ::close(pipeFds[1]);
  std::string said;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    said.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no path to save to";
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("not saved"), std::string::npos) << said;
}

// Which data directory wins, and how media names become paths. The lookup on the real file system
// is install-check's: the installed program finds its media from any directory.
#include "platform/DataDir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(DataDir, OptionBeatsEnvironmentBeatsInstalledBeatsBuildTree) {
  std::set<std::string> dirs{"/cli", "/env", "/usr/bin/../share/quenbry-solitaire",
                             "/usr/bin/media"};
  auto fs = [&dirs](const std::string& path) { return dirs.count(path) != 0; };
  const std::string installed = "/usr/bin/../share/quenbry-solitaire";
  EXPECT_EQ(ChooseDataDir("/cli", "/env", "/usr/bin", fs).path, "/cli");
  EXPECT_EQ(ChooseDataDir("", "/env", "/usr/bin", fs).path, "/env");
  EXPECT_EQ(ChooseDataDir("", nullptr, "/usr/bin", fs).path, installed);
  EXPECT_EQ(ChooseDataDir("", "", "/usr/bin", fs).path, installed) << "empty counts as unset";
  dirs.erase(installed);
  EXPECT_TRUE(ChooseDataDir("", nullptr, "/usr/bin", fs).exists);
  // A choice that is missing is kept, so the message names what the user asked for.
  dirs = {};
  const DataDirChoice missing = ChooseDataDir("", "/env", "/usr/bin", fs);
  EXPECT_EQ(missing.path, "/env");
  EXPECT_FALSE(missing.exists);
  const DataDirChoice none = ChooseDataDir("", nullptr, "/opt", fs);
  EXPECT_EQ(none.path, "/opt/media");
  EXPECT_FALSE(none.exists);
}

TEST(DataDir, MediaNamesUseSlashesAndKeepTheirCase) {
  SetDataDir("/data");
  EXPECT_EQ(MediaPath("artwork\\deck1.bmp"), "/data/artwork/deck1.bmp");
  EXPECT_EQ(MediaPath("\\HELP.TXT"), "/data/HELP.TXT");
  SetDataDir("/data/");
  EXPECT_EQ(MediaPath("music\\MAIN.MID"), "/data/music/MAIN.MID");
  SetDataDir("");
  EXPECT_EQ(DataDir(), ".");
  EXPECT_EQ(MediaPath("HELP.TXT"), "./HELP.TXT");
}

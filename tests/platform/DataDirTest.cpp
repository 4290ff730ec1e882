// Checks which data directory wins and how media names become paths.
#include "platform/DataDir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct FakeFileSystem {
  std::set<std::string> directories;
  bool operator()(const std::string& path) const { return directories.count(path) != 0; }
};

}  // namespace

TEST(DataDir, OptionBeatsEnvironmentBeatsInstalledBeatsBuildTree) {
  FakeFileSystem fs{{"/cli", "/env", "/usr/bin/../share/quenbry-solitaire", "/usr/bin/media"}};
  EXPECT_EQ(ChooseDataDir("/cli", "/env", "/usr/bin", fs).path, "/cli");
  EXPECT_EQ(ChooseDataDir("", "/env", "/usr/bin", fs).path, "/env");
  EXPECT_EQ(ChooseDataDir("", nullptr, "/usr/bin", fs).path, "/usr/bin/../share/quenbry-solitaire");
  // An empty variable counts as unset.
  EXPECT_EQ(ChooseDataDir("", "", "/usr/bin", fs).path, "/usr/bin/../share/quenbry-solitaire");
  fs.directories.erase("/usr/bin/../share/quenbry-solitaire");
  EXPECT_EQ(ChooseDataDir("", nullptr, "/usr/bin", fs).path, "/usr/bin/media");
}

TEST(DataDir, AChosenDirectoryThatIsMissingIsReported) {
  FakeFileSystem fs{{"/usr/bin/media"}};
  // An explicit choice is kept even when missing, so the message names what the user asked for.
  DataDirChoice cli = ChooseDataDir("/nowhere", "/env", "/usr/bin", fs);
  EXPECT_EQ(cli.path, "/nowhere");
  EXPECT_FALSE(cli.exists);
  DataDirChoice env = ChooseDataDir("", "/env", "/usr/bin", fs);
  EXPECT_EQ(env.path, "/env");
  EXPECT_FALSE(env.exists);
  EXPECT_TRUE(ChooseDataDir("", nullptr, "/usr/bin", fs).exists);
  DataDirChoice none = ChooseDataDir("", nullptr, "/opt", fs);
  EXPECT_EQ(none.path, "/opt/media");
  EXPECT_FALSE(none.exists);
}

TEST(DataDir, RealLookupFindsExistingDirectories) {
  EXPECT_TRUE(IsDirectory("/"));
  EXPECT_FALSE(IsDirectory(""));
  EXPECT_FALSE(IsDirectory("/proc/self/exe"));
  EXPECT_TRUE(IsDirectory(ExecutableDir()));
  DataDirChoice choice = FindDataDir("/");
  EXPECT_EQ(choice.path, "/");
  EXPECT_TRUE(choice.exists);
}

TEST(DataDir, MediaNamesUseSlashesAndKeepTheirCase) {
  SetDataDir("/data");
  EXPECT_EQ(MediaPath("artwork\\deck1.bmp"), "/data/artwork/deck1.bmp");
  EXPECT_EQ(MediaPath("beng8pt.FGF"), "/data/beng8pt.FGF");
  EXPECT_EQ(MediaPath("SFX\\flip.wav"), "/data/SFX/flip.wav");
  EXPECT_EQ(MediaPath("\\HELP.TXT"), "/data/HELP.TXT");
  EXPECT_EQ(MediaPath(""), "/data/");
  SetDataDir("/data/");
  EXPECT_EQ(MediaPath("music\\MAIN.MID"), "/data/music/MAIN.MID");
  SetDataDir("");
  EXPECT_EQ(DataDir(), ".");
  EXPECT_EQ(MediaPath("HELP.TXT"), "./HELP.TXT");
}

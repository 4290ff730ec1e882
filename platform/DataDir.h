// Finds the directory that holds the program's media (artwork, sounds, music, fonts, help text)
// and turns the program's Windows-style media names into paths inside it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct DataDirChoice {
  std::string path;
  bool exists = false;
};

// The choice itself: `option` (--data-dir) when given, else `environment` ($QUENBRY_DATA_DIR)
// when set and not empty, else <exeDir>/../share/quenbry-solitaire when it is a directory, else
// <exeDir>/media. `isDirectory` says whether a path names a directory.
DataDirChoice ChooseDataDir(const std::string& option, const char* environment,
                            const std::string& exeDir,
                            const std::function<bool(const std::string&)>& isDirectory);

// The same with the real environment, executable and file system.
DataDirChoice FindDataDir(const std::string& option);

// The directory of the running executable ("." when it cannot be found).
std::string ExecutableDir();
bool IsDirectory(const std::string& path);

// The process-wide data directory that MediaPath uses ("." until set).
void SetDataDir(std::string directory);
const std::string& DataDir();

// The full path of a media name: backslashes become slashes, the case stays exactly as given
// ("artwork\\deck1.bmp" -> "<data dir>/artwork/deck1.bmp").
std::string MediaPath(std::string_view name);

// Locates the media directory and builds paths of media files inside it.
#include "platform/DataDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

std::string& CurrentDataDir() {
  static std::string directory = ".";
  return directory;
}

}  // namespace

DataDirChoice ChooseDataDir(const std::string& option, const char* environment,
                            const std::string& exeDir,
                            const std::function<bool(const std::string&)>& isDirectory) {
  std::string path;
  if (!option.empty()) {
    path = option;
  } else if (environment != nullptr && environment[0] != '\0') {
    path = environment;
  } else {
    std::string installed = exeDir + "/../share/quenbry-solitaire";
    path = isDirectory(installed) ? installed : exeDir + "/media";
  }
  return DataDirChoice{path, isDirectory(path)};
}

DataDirChoice FindDataDir(const std::string& option) {
  return ChooseDataDir(option, std::getenv("QUENBRY_DATA_DIR"), ExecutableDir(), IsDirectory);
}

std::string ExecutableDir() {
  std::vector<char> buffer(4096);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool IsDirectory(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void SetDataDir(std::string directory) {
  CurrentDataDir() = directory.empty() ? std::string(".") : std::move(directory);
}

const std::string& DataDir() {
  return CurrentDataDir();
}

std::string MediaPath(std::string_view name) {
  std::string relative(name);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  // Media names are relative to the data directory, even when written with a leading separator.
  std::size_t start = relative.find_first_not_of('/');
  relative.erase(0, start == std::string::npos ? relative.size() : start);
  const std::string& directory = CurrentDataDir();
  if (!directory.empty() && directory.back() == '/') return directory + relative;
  return directory + "/" + relative;
}

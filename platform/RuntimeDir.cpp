#include "platform/RuntimeDir.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

bool AllDigits(std::string_view s) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// A snapshot a run wrote, or the temporary file of one it was writing.
bool IsSnapshotName(std::string_view name) {
  return name.starts_with("UNDO") && (name.ends_with(".DAT") || name.ends_with(".DAT.tmp"));
}

bool ProcessRuns(pid_t pid) {
  // EPERM: a process of another user holds the number now; it runs, so nothing is touched.
  return kill(pid, 0) == 0 || errno != ESRCH;
}

bool OwnDirectory(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

void RemoveSnapshotsIn(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!IsSnapshotName(name)) continue;
    const std::string file = path + "/" + std::string(name);
    struct stat info {};
    if (lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(file.c_str());
  }
  closedir(dir);
}

}  // namespace

std::string PrivateDirectory(const std::string& parent, const std::string& name) {
  if (parent.empty() || parent.front() != '/') return {};
  const std::string path = parent + "/" + name;
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
    return {};
  return path;
}

std::string RuntimeDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return runtime;
  const char* tmp = std::getenv("TMPDIR");
  const std::string parent = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
  return PrivateDirectory(parent, "quenbry-solitaire-" + std::to_string(getuid()));
}

int RemoveStaleProcessDirectories(const std::string& directory, std::string_view prefix) {
  if (directory.empty()) return 0;
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !AllDigits(name.substr(prefix.size()))) continue;
    const pid_t pid =
        static_cast<pid_t>(std::atoi(std::string(name.substr(prefix.size())).c_str()));
    const std::string path = directory + "/" + std::string(name);
    if (pid <= 0 || pid == getpid() || ProcessRuns(pid) || !OwnDirectory(path)) continue;
    RemoveSnapshotsIn(path);
    if (rmdir(path.c_str()) == 0) ++removed;
  }
  closedir(dir);
  return removed;
}

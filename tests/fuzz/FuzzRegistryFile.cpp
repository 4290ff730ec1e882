// Feeds arbitrary bytes to the settings store as its file, in a scratch directory, as a plain
// file, a read-only one or one reached through a link, with or without an older damaged copy
// beside it. A read must give every value the text holds; a change must then keep them all, add
// its own, leave a file that reads back without a line left out, keep any damaged original
// byte for byte in a numbered copy without replacing an older one, write through a link, and
// leave a read-only file as it was.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "persist/Registry.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kLinked = 1;
constexpr std::uint8_t kReadOnly = 2;
constexpr std::uint8_t kOldCopy = 4;

[[noreturn]] void Fail(const char* why) {
  std::fprintf(stderr, "fuzz_registry_file: %s\n", why);
  std::abort();
}

const fs::path& Scratch() {
  static const fs::path dir = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "qs-fuzz-store-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Fail("no scratch directory");
    std::atexit([] { fs::remove_all(Scratch()); });
    return fs::path(pattern);
  }();
  return dir;
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Whether any numbered copy of `file` holds exactly `bytes`.
bool CopyHolds(const fs::path& file, const std::string& bytes) {
  for (int n = 1; fs::exists(file.string() + ".bad." + std::to_string(n)); ++n) {
    if (Contents(file.string() + ".bad." + std::to_string(n)) == bytes) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t setup = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const fs::path dir = Scratch() / "config";
  const fs::path store = dir / "registry.reg";
  const fs::path file = (setup & kLinked) ? Scratch() / "dotfiles" / "store.reg" : store;
  fs::create_directories(dir);
  fs::create_directories(file.parent_path());
  Put(file, bytes);
  if (setup & kLinked) fs::create_symlink(file, store);
  if (setup & kOldCopy) Put(file.string() + ".bad.1", "older copy");
  if (setup & kReadOnly) ::chmod(file.c_str(), 0444);

  const RegistryParseResult parsed = RegistryTree::ParseLines(bytes);
  const RegistryTree expected = parsed.headerFound ? parsed.tree : RegistryTree();
  const Registry registry(store.string());
  if (!(registry.Read() == expected)) Fail("a read lost values the text holds");

  const bool changed =
      registry.Change([](RegistryTree& tree) { tree.SetDword("Fuzz", "Added", 0x5eed); });
  RegistryTree wanted = expected;
  const bool fits = wanted.SetDword("Fuzz", "Added", 0x5eed);
  if (setup & kReadOnly) {
    if (changed || Contents(file) != bytes) Fail("a read-only file was written");
  } else {
    if (!changed) Fail("a change to a writable store failed");
    const std::string now = Contents(file);
    const std::optional<RegistryTree> reread = RegistryTree::Parse(now);
    if (!reread) Fail("the file written does not read back whole");
    if (fits && !(*reread == wanted)) Fail("the change lost or garbled values");
    const bool damaged = !bytes.empty() && (!parsed.headerFound || !parsed.skipped.empty());
    if (damaged && !CopyHolds(file, bytes)) Fail("the damaged original was not kept");
  }
  if ((setup & kOldCopy) && Contents(file.string() + ".bad.1") != "older copy") {
    Fail("an older damaged copy was replaced");
  }
  if ((setup & kLinked) && !fs::is_symlink(store)) Fail("the link was replaced");
  fs::remove_all(Scratch() / "config");
  fs::remove_all(Scratch() / "dotfiles");
  return 0;
}

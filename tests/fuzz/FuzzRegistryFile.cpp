// libFuzzer target: arbitrary bytes as the settings store's file, plain, read-only or reached
// through a link, with or without an older damaged copy beside it. A read gives every value the
// text holds; a change keeps them, adds its own, leaves a file that reads back whole, keeps a
// damaged original in a numbered copy without replacing an older one, writes through a link, and
// leaves a read-only file as it was.
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

constexpr std::uint8_t kLinked = 1, kReadOnly = 2, kOldCopy = 4;

void Require(bool condition, const char* why) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_registry_file: %s\n", why);
  std::abort();
}

const fs::path& Scratch() {
  static const fs::path dir = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "qs-fuzz-store-XXXXXX").string();
    Require(::mkdtemp(pattern.data()) != nullptr, "no scratch directory");
    std::atexit([] { fs::remove_all(Scratch()); });
    return fs::path(pattern);
  }();
  return dir;
}

std::string Contents(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Whether any numbered copy of `file` holds exactly `bytes`.
bool CopyHolds(const fs::path& file, const std::string& bytes) {
  for (int n = 1; fs::exists(file.string() + ".bad." + std::to_string(n)); ++n)
    if (Contents(file.string() + ".bad." + std::to_string(n)) == bytes) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t setup = data[0];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const fs::path store = Scratch() / "config" / "registry.reg";
  const fs::path file = (setup & kLinked) ? Scratch() / "dotfiles" / "store.reg" : store;
  fs::create_directories(store.parent_path());
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
  if (setup & kLinked) fs::create_symlink(file, store);
  if (setup & kOldCopy) std::ofstream(file.string() + ".bad.1") << "older copy";
  if (setup & kReadOnly) ::chmod(file.c_str(), 0444);

  const RegistryParseResult parsed = RegistryTree::ParseLines(bytes);
  const RegistryTree expected = parsed.headerFound ? parsed.tree : RegistryTree();
  const Registry registry(store.string());
  Require(registry.Read() == expected, "a read lost values the text holds");

  const bool changed =
      registry.Change([](RegistryTree& tree) { tree.SetDword("Fuzz", "Added", 0x5eed); });
  RegistryTree wanted = expected;
  const bool fits = wanted.SetDword("Fuzz", "Added", 0x5eed);
  if (setup & kReadOnly) {
    Require(!changed && Contents(file) == bytes, "a read-only file was written");
  } else {
    Require(changed, "a change to a writable store failed");
    const std::optional<RegistryTree> reread = RegistryTree::Parse(Contents(file));
    Require(reread.has_value(), "the file written does not read back whole");
    Require(!fits || *reread == wanted, "the change lost or garbled values");
    const bool damaged = !bytes.empty() && (!parsed.headerFound || !parsed.skipped.empty());
    Require(!damaged || CopyHolds(file, bytes), "the damaged original was not kept");
  }
  Require(!(setup & kOldCopy) || Contents(file.string() + ".bad.1") == "older copy",
          "an older damaged copy was replaced");
  Require(!(setup & kLinked) || fs::is_symlink(store), "the link was replaced");
  fs::remove_all(Scratch() / "config");
  fs::remove_all(Scratch() / "dotfiles");
  return 0;
}

// The settings calls over the store: each opens the store's file, reads or writes one value and
// is done, and a value that cannot be read is written with its default straight away.
#include "persist/Settings.h"

#include "persist/Registry.h"

namespace {

// Text values are asked for with a buffer of this many bytes, the terminating zero included.
constexpr std::size_t kTextBuffer = 300;

std::string KeyPath(const std::string& subKey) {
  std::string path = kSettingsRoot;
  if (!subKey.empty()) path += "\\" + subKey;
  return path;
}

std::string_view ValueName(const char* name) {
  return name != nullptr ? name : "";
}

}  // namespace

std::int32_t ReadSettingDword(const std::string& subKey, const char* name, std::int32_t fallback) {
  const Registry registry(Registry::DefaultFilePath());
  const std::string path = KeyPath(subKey);
  // Most reads find their value: those need no lock for writing.
  std::uint32_t found = 0;
  if (registry.Read().QueryDword(path, ValueName(name), found)) {
    return static_cast<std::int32_t>(found);
  }
  std::int32_t result = fallback;
  // Query again and default in one change: someone may have written it since.
  registry.Change([&](RegistryTree& tree) {
    std::uint32_t stored = 0;
    if (tree.QueryDword(path, ValueName(name), stored)) {
      result = static_cast<std::int32_t>(stored);
    } else {
      tree.SetDword(path, ValueName(name), static_cast<std::uint32_t>(fallback));
    }
  });
  return result;
}

void WriteSettingDword(const std::string& subKey, const char* name, std::int32_t value) {
  Registry(Registry::DefaultFilePath()).Change([&](RegistryTree& tree) {
    tree.SetDword(KeyPath(subKey), ValueName(name), static_cast<std::uint32_t>(value));
  });
}

std::string ReadSettingString(const std::string& subKey, const char* name,
                              const std::string& fallback) {
  const Registry registry(Registry::DefaultFilePath());
  const std::string path = KeyPath(subKey);
  std::string result;
  if (registry.Read().QueryString(path, ValueName(name), kTextBuffer, result)) return result;
  result = fallback;
  registry.Change([&](RegistryTree& tree) {
    std::string stored;
    if (tree.QueryString(path, ValueName(name), kTextBuffer, stored)) {
      result = std::move(stored);
    } else {
      tree.SetString(path, ValueName(name), fallback);
    }
  });
  return result;
}

void WriteSettingString(const std::string& subKey, const char* name, const std::string& value) {
  Registry(Registry::DefaultFilePath()).Change([&](RegistryTree& tree) {
    tree.SetString(KeyPath(subKey), ValueName(name), value);
  });
}

// A settings store of its own for each test: XDG_CONFIG_HOME points at a fresh temporary folder,
// so no test sees another's values or the player's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "persist/Registry.h"
#include "persist/RegistryTree.h"
#include "persist/Settings.h"

class ScratchStore {
public:
  ScratchStore() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs-store-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) home_ = pattern;
    EXPECT_FALSE(home_.empty()) << "no temporary folder for the settings store";
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) previous_ = old;
    ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
  }
  ~ScratchStore() {
    previous_ ? ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    if (!home_.empty()) std::filesystem::remove_all(home_, ignored);
  }
  ScratchStore(const ScratchStore&) = delete;
  ScratchStore& operator=(const ScratchStore&) = delete;

  // The folder that stands in for XDG_CONFIG_HOME.
  const std::string& Home() const { return home_; }
  std::string FilePath() const { return home_ + "/quenbry-solitaire/registry.reg"; }

  // The stored number, read from the file without creating anything; nullopt when missing.
  std::optional<std::int32_t> Stored(const std::string& game, const char* value) const {
    std::uint32_t n = 0;
    const std::string key = std::string(kSettingsRoot) + "\\" + game;
    if (!Registry(FilePath()).Read().QueryDword(key, value, n)) return std::nullopt;
    return static_cast<std::int32_t>(n);
  }
  // How many values the game's key holds.
  std::size_t ValueCount(const std::string& game) const {
    const RegistryTree tree = Registry(FilePath()).Read();
    const RegistryKey* key = tree.FindKey(std::string(kSettingsRoot) + "\\" + game);
    return key != nullptr ? key->values.size() : 0;
  }
  // The whole file as it is on disk ("" when there is none).
  std::string FileText() const {
    std::ostringstream text;
    text << std::ifstream(FilePath(), std::ios::binary).rdbuf();
    return text.str();
  }

private:
  std::string home_;
  std::optional<std::string> previous_;
};

// A fresh XDG_CONFIG_HOME for each test, so no test sees another's store or the user's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "persist/Registry.h"
#include "persist/Settings.h"
#include "tests/support/ScratchStore.h"

class TempConfigHome : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_FALSE(home_.empty()); }

  std::string StorePath() const { return store_.FilePath(); }
  std::string StoreDir() const { return home_ + "/quenbry-solitaire"; }
  RegistryTree Stored() const { return Registry(StorePath()).Read(); }
  static std::string Under(const std::string& sub) {
    return std::string(kSettingsRoot) + "\\" + sub;
  }
  // A value below the settings root; nullopt when missing or of the other type.
  std::optional<std::uint32_t> StoredDword(const std::string& sub, const char* name) const {
    std::uint32_t v = 0;
    return Stored().QueryDword(Under(sub), name, v) ? std::optional(v) : std::nullopt;
  }
  std::optional<std::string> StoredText(const std::string& sub, const char* name) const {
    std::string text;
    return Stored().QueryString(Under(sub), name, 300, text) ? std::optional(text) : std::nullopt;
  }
  static std::string FileText(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  static void WriteText(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  ScratchStore store_;
  const std::string home_ = store_.Home();
};

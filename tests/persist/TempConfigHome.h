// A fresh XDG_CONFIG_HOME for each test, so no test sees another's store or the user's own.
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
#include "persist/Settings.h"
#include "tests/support/ScratchStore.h"

class TempConfigHome : public ::testing::Test {
protected:
  void SetUp() override {
    store_.emplace();
    home_ = store_->Home();
    ASSERT_FALSE(home_.empty());
  }
  void TearDown() override { store_.reset(); }

  std::string StorePath() const { return home_ + "/quenbry-solitaire/registry.reg"; }
  std::string StoreDir() const { return home_ + "/quenbry-solitaire"; }
  RegistryTree Stored() const { return Registry(StorePath()).Read(); }
  // A value as the file holds it under the settings root ("" names the root); nullopt when it is
  // missing or of the other type.
  std::optional<std::uint32_t> StoredDword(const std::string& sub, const char* name) const {
    std::uint32_t v = 0;
    return Stored().QueryDword(Under(sub), name, v) ? std::optional(v) : std::nullopt;
  }
  std::optional<std::string> StoredText(const std::string& sub, const char* name) const {
    std::string text;
    return Stored().QueryString(Under(sub), name, 300, text) ? std::optional(text) : std::nullopt;
  }
  static std::string Under(const std::string& sub) {
    return sub.empty() ? kSettingsRoot : std::string(kSettingsRoot) + "\\" + sub;
  }

  std::string FileText(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void WriteText(const std::string& path, const std::string& text) const {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  std::optional<ScratchStore> store_;
  std::string home_;
};

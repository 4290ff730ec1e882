// A fresh XDG_CONFIG_HOME for each test, so no test sees another's store or the user's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "persist/Registry.h"

class TempConfigHome : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs-persist-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    home_ = pattern;
    ::setenv("XDG_CONFIG_HOME", home_.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(home_, ignored);
  }

  std::string StorePath() const { return home_ + "/quenbry-solitaire/registry.reg"; }
  std::string StoreDir() const { return home_ + "/quenbry-solitaire"; }
  RegistryTree Stored() const { return Registry(StorePath()).Read(); }

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

  std::string home_;
};

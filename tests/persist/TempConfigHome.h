// A fresh XDG_CONFIG_HOME for each test, so no test sees another's store or the user's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "persist/Registry.h"
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

// The capped whole-file reader every image and font reader loads its files through. The writer
// is the save-under's, tested by PcxTest's round trips into one path and into a missing folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileBytes.h"
#include "tests/gfx/image/AllocationProbe.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

class FileBytesTest : public testing::Test {
protected:
  void SetUp() override { dir_ = ScratchDir("filebytes"); }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
  std::vector<std::uint8_t> out_;
};

TEST_F(FileBytesTest, WholeFilesUpToTheCapAreReadAndMissingOnesCannotBeOpened) {
  std::vector<std::uint8_t> bytes(5000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  const std::string path = dir_ + "/exact.bin", empty = dir_ + "/empty.bin";
  WriteBytes(path, bytes);
  WriteBytes(empty, {});
  EXPECT_EQ(ReadFileBytes(path.c_str(), 5000, out_), FileBytesStatus::kOk);
  EXPECT_EQ(out_, bytes);
  EXPECT_EQ(ReadFileBytes(path.c_str(), 4999, out_), FileBytesStatus::kTooLarge);
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(ReadFileBytes(empty.c_str(), 10, out_), FileBytesStatus::kOk);
  EXPECT_TRUE(out_.empty());
  // Files of the proc file system report no size but have contents.
  EXPECT_EQ(ReadFileBytes("/proc/self/status", 1 << 20, out_), FileBytesStatus::kOk);
  EXPECT_GT(out_.size(), 0u);
  EXPECT_EQ(ReadFileBytes((dir_ + "/missing.spr").c_str(), 100, out_),
            FileBytesStatus::kCannotOpen);
  EXPECT_TRUE(out_.empty());
  EXPECT_EQ(ReadFileBytes(dir_.c_str(), 100, out_), FileBytesStatus::kCannotOpen);
  EXPECT_EQ(ReadFileBytes(nullptr, 100, out_), FileBytesStatus::kCannotOpen);
}

TEST_F(FileBytesTest, OversizedFilesAreRefusedBeforeAnythingIsReserved) {
  // A sprite cap of 64 KiB against a sparse file of 1 GiB: reading it whole would take a
  // gigabyte of memory.
  const std::string path = dir_ + "/arrow.spr";
  WriteBytes(path, {5, 3});
  std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
  ResetLargestAllocation();
  EXPECT_EQ(ReadFileBytes(path.c_str(), 1 << 16, out_), FileBytesStatus::kTooLarge);
  EXPECT_LT(LargestAllocation(), std::size_t{1} << 16);
  EXPECT_TRUE(out_.empty());
  // An endless stream has no size to check: it is read only up to the cap.
  ResetLargestAllocation();
  EXPECT_EQ(ReadFileBytes("/dev/zero", 10000, out_), FileBytesStatus::kTooLarge);
  EXPECT_LE(LargestAllocation(), 10000u);
  EXPECT_TRUE(out_.empty());
}

}  // namespace

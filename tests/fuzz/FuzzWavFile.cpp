// libFuzzer target: WAVE files read from disk by path, as the game reads its sound effects, and
// the same bytes read from memory. Both readers must agree on whether the file opens, on its
// format and on every sample byte; the path reader seeks and reads in pieces where the memory
// reader indexes, so a fault in either shows as a difference.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/WaveFile.h"

namespace {

// One scratch file per fuzzing process, rewritten for each input.
const std::string& ScratchFile() {
  static const std::string path = [] {
    char pattern[] = "/tmp/qs-fuzz-wav-XXXXXX";
    const int fd = ::mkstemp(pattern);
    if (fd < 0) std::abort();
    ::close(fd);
    return std::string(pattern);
  }();
  return path;
}

std::vector<std::uint8_t> ReadAll(WaveFile& wave) {
  std::vector<std::uint8_t> samples;
  std::uint8_t piece[613];
  while (std::size_t got = wave.Read(sizeof piece, piece))
    samples.insert(samples.end(), piece, piece + got);
  return samples;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = ScratchFile();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);

  WaveFile fromDisk;
  WaveFile fromMemory;
  const int diskResult = fromDisk.Open(path.c_str());
  const int memoryResult = fromMemory.Open(std::vector<std::uint8_t>(data, data + size));
  if (diskResult != memoryResult) __builtin_trap();
  if (diskResult != kWaveOk) return 0;
  const WaveFormat& a = fromDisk.Format();
  const WaveFormat& b = fromMemory.Format();
  if (a.formatTag != b.formatTag || a.channels != b.channels || a.blockAlign != b.blockAlign ||
      a.bitsPerSample != b.bitsPerSample || a.samplesPerSec != b.samplesPerSec ||
      a.extra != b.extra || fromDisk.DataSize() != fromMemory.DataSize())
    __builtin_trap();

  const std::vector<std::uint8_t> samples = ReadAll(fromDisk);
  if (samples.size() != fromDisk.DataSize() || samples != ReadAll(fromMemory)) __builtin_trap();
  fromDisk.Rewind();
  if (ReadAll(fromDisk) != samples) __builtin_trap();
  return 0;
}
